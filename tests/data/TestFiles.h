#pragma once
// Temporary data files, a progress sink that records what it is told, loads and their records.

#include "data/Loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace kurvon::test {

using Floats = std::vector<float>;
using Strings = std::vector<std::string>;

class TempDir {
public:
    TempDir() { std::filesystem::create_directories(m_path); }
    ~TempDir() {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    const std::filesystem::path& Path() const { return m_path; }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(m_path / name, std::ios::binary) << bytes;
        return (m_path / name).string();
    }

private:
    std::filesystem::path m_path = std::filesystem::temp_directory_path() /
                                   ("kurvon_data_test_" + std::to_string(std::random_device{}()) +
                                    std::to_string(std::random_device{}()));
};

struct RecordingSink : ProgressSink {
    void SetPosition(int position) override { positions.push_back(position); }
    void Show() override { shownAfter = static_cast<int>(positions.size()); }
    std::vector<int> positions;
    int shownAfter = -1; // how many positions had been sent when Show came
};

// Runs `change` once, on the loader's thread, when the position reaches `at`.
struct ChangingSink : RecordingSink {
    ChangingSink(int at, std::function<void()> change) : at(at), change(std::move(change)) {}
    void SetPosition(int position) override {
        RecordingSink::SetPosition(position);
        if (position >= at && change)
            std::exchange(change, nullptr)();
    }
    int at;
    std::function<void()> change;
};

// The values record after record.
inline Floats Values(const DataSet& data) {
    Floats values;
    for (std::uint32_t r = 0; r < data.recordCount; ++r)
        for (std::uint32_t c = 0; c < data.channelCount; ++c)
            values.push_back(data.Value(c, r));
    return values;
}

inline LoadResult LoadFile(const std::string& path, const LoadOptions& options = {},
                           RecordingSink* sink = nullptr) {
    RecordingSink local;
    return LoadDataFile(path, sink ? *sink : local, options);
}

// Reads in chunks of `bytes`, on one thread or split between two at the middle.
inline LoadOptions Chunks(std::size_t bytes, bool twoThreads) {
    LoadOptions options;
    options.readChunkBytes = bytes;
    options.parallelMinBytes = twoThreads ? 0 : std::uint64_t(1) << 62;
    return options;
}

// Every field of the two results, values compared bit for bit.
inline void ExpectSameLoad(const LoadResult& a, const LoadResult& b) {
    const auto bits = [](const auto& f) {
        return std::string(reinterpret_cast<const char*>(f.data()), f.size() * sizeof(float));
    };
    ASSERT_EQ(a.status, b.status);
    ASSERT_EQ(a.data.columns.size(), b.data.columns.size());
    for (std::size_t c = 0; c < a.data.columns.size(); ++c)
        EXPECT_EQ(bits(a.data.columns[c]), bits(b.data.columns[c])) << "channel " << c;
    EXPECT_EQ(bits(a.data.maxima) + bits(a.data.minima), bits(b.data.maxima) + bits(b.data.minima));
    EXPECT_TRUE(std::tie(a.data.names, a.listMin, a.listMax) ==
                std::tie(b.data.names, b.listMin, b.listMax));
}

} // namespace kurvon::test
