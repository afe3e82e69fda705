#pragma once
// Temporary data files, a progress sink that records what it is told, loads and their records.

#include "data/Loader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
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
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

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

class RecordingSink : public ProgressSink {
public:
    void SetPosition(int position) override { positions.push_back(position); }
    void Show() override { shownAfter = static_cast<int>(positions.size()); }

    std::vector<int> positions;
    int shownAfter = -1; // how many positions had been sent when Show came
};

inline Floats Record(const DataSet& data, std::uint32_t r) {
    Floats values;
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

inline bool SameFloats(const Floats& a, const Floats& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
}

// Every field of the two results, values compared bit for bit.
inline void ExpectSameLoad(const LoadResult& a, const LoadResult& b) {
    ASSERT_EQ(a.status, b.status);
    EXPECT_EQ(a.data.names, b.data.names);
    ASSERT_EQ(a.data.columns.size(), b.data.columns.size());
    for (std::size_t c = 0; c < a.data.columns.size(); ++c)
        EXPECT_TRUE(SameFloats(a.data.columns[c], b.data.columns[c])) << "channel " << c;
    EXPECT_TRUE(SameFloats(a.data.maxima, b.data.maxima) &&
                SameFloats(a.data.minima, b.data.minima));
    EXPECT_EQ(a.listMin, b.listMin);
    EXPECT_EQ(a.listMax, b.listMax);
}

} // namespace kurvon::test
