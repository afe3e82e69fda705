// The operating-system seam: what a follower of a growing file relies on. An open file keeps
// reading the bytes it opened when another file is renamed over its name, and the path's stamp
// then names another file; folders and missing paths are refused; reads past the end give 0.

#include "platform/SystemAccess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

namespace kurvon {
namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

TEST(SystemAccess, OpenFileSurvivesReplaceAndStampsTellFilesApart) {
    const fs::path dir =
        fs::temp_directory_path() / ("kurvon-seam-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    // Chinese letters and a space: paths are UTF-8 on every platform.
    const fs::path path = dir / fs::path(u8"电池测试 2024.kvd");
    const std::string name = Utf8(path);
    Write(path, "first\r\n");

    auto held = std::make_unique<ReadOnlyFile>();
    ReadOnlyFile& file = *held;
    ASSERT_TRUE(file.Open(name));
    const std::optional<FileStamp> opened = file.Stamp();
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->size, 7u);
    ASSERT_TRUE(StampOfPath(name));
    EXPECT_TRUE(StampOfPath(name)->SameFile(*opened));

    std::ofstream(path, std::ios::binary | std::ios::app) << "more\r\n";
    EXPECT_EQ(file.Stamp()->size, 13u);
    EXPECT_TRUE(file.Stamp()->SameFile(*opened));

    // Windows refuses to rename over a file that is open; elsewhere the name moves on.
    Write(dir / "next", "second file\r\n");
    std::error_code renamed;
    fs::rename(dir / "next", path, renamed);
    if (!renamed) {
        EXPECT_FALSE(StampOfPath(name)->SameFile(*opened));
    }
    char bytes[32] = {};
    EXPECT_EQ(file.ReadAt(0, bytes, sizeof bytes), 13);
    EXPECT_EQ(std::string(bytes, 13), "first\r\nmore\r\n");
    EXPECT_EQ(file.ReadAt(13, bytes, sizeof bytes), 0);
    EXPECT_EQ(file.ReadAt(1000, bytes, sizeof bytes), 0);

    ReadOnlyFile folder;
    EXPECT_FALSE(folder.Open(Utf8(dir)));
    EXPECT_FALSE(folder.IsOpen());
    EXPECT_FALSE(StampOfPath(Utf8(dir)));
    // The open file may be deleted; its folder only goes once the file is closed (Windows).
    EXPECT_TRUE(fs::remove(path));
    held.reset();
    EXPECT_FALSE(StampOfPath(name));
    fs::remove_all(dir);
    EXPECT_FALSE(ReadOnlyFile().Open(name));
    EXPECT_GT(PhysicalMemoryBytes(), 0u);
}

} // namespace
} // namespace kurvon
