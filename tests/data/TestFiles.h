#pragma once
// Temporary data files, a progress sink that records what it is told, a record as a row.

#include "data/Loader.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace kurvon::test {

class TempDir {
public:
    TempDir() {
        std::random_device device;
        m_path = std::filesystem::temp_directory_path() /
                 ("kurvon_data_test_" + std::to_string(device()) + std::to_string(device()));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code error;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(m_path, error);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = m_path / name;
        std::ofstream out(file, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }

private:
    std::filesystem::path m_path;
};

class RecordingSink : public ProgressSink {
public:
    void SetPosition(int position) override { positions.push_back(position); }
    void Show() override { shownAfter = static_cast<int>(positions.size()); }

    std::vector<int> positions;
    int shownAfter = -1; // how many positions had been sent when Show came
};

inline std::vector<float> Record(const DataSet& data, std::uint32_t r) {
    std::vector<float> values;
    for (std::uint32_t c = 0; c < data.channelCount; ++c)
        values.push_back(data.Value(c, r));
    return values;
}

inline LoadResult LoadFile(const std::string& path, const LoadOptions& options,
                           RecordingSink* sink = nullptr) {
    RecordingSink local;
    return LoadDataFile(path, sink ? *sink : local, options);
}

inline LoadResult LoadFile(const std::string& path, RecordingSink* sink = nullptr,
                           std::uint32_t seed = 1, const std::atomic<bool>* cancel = nullptr) {
    RecordingSink local;
    LoadOptions options;
    options.colorSeed = seed;
    options.cancel = cancel;
    return LoadDataFile(path, sink ? *sink : local, options);
}

} // namespace kurvon::test
