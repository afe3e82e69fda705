// A file cut short or rewritten while it loads fails the load; one that only grows loads as it
// was when the load began. The change is made from the progress sink, on the loader's thread,
// at a chosen position of the counting pass (below 15) or the parsing pass.

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

namespace kurvon {
namespace {

namespace fs = std::filesystem;
using test::LoadFile;
using test::RecordingSink;
using test::TempDir;

struct ChangingSink : RecordingSink {
    int at = 0;
    std::function<void()> change;
    void SetPosition(int position) override {
        RecordingSink::SetPosition(position);
        if (position >= at && change)
            std::exchange(change, nullptr)();
    }
};

void Append(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::app) << bytes;
}

// Writes bytes over the start of the file, its size and (with keepTime) its time unchanged.
void Overwrite(const std::string& path, const std::string& bytes, bool keepTime) {
    const auto time = fs::last_write_time(path);
    std::fstream(path, std::ios::binary | std::ios::in | std::ios::out) << bytes;
    if (keepTime)
        fs::last_write_time(path, time);
}

std::string Rows(int records, const char* row) {
    std::string text = "head\r\na b c\r\n";
    for (int r = 0; r < records; ++r)
        text += std::to_string(r) + row;
    return text;
}

TEST(FileChange, CutShortOrRewrittenFailsGrownLoadsAsItWas) {
    TempDir dir;
    const std::string original = Rows(3000, " 2 3\r\n");
    const std::string path = (dir.Path() / "changing.kvd").string();
    const auto cut = [&](std::uintmax_t size) {
        return [&, size] { fs::resize_file(path, size); };
    };
    const auto grow = [&] { Append(path, Rows(4000, " 9 9\r\n")); };
    const struct {
        const char* name;
        int at;
        std::function<void()> change;
        LoadStatus expected; // Loaded: the same as the untouched file
    } cases[] = {
        {"cut short while counting", 5, cut(1000), LoadStatus::FileChanged},
        {"cut short while parsing", 50, cut(1000), LoadStatus::FileChanged},
        {"emptied while parsing", 50, cut(0), LoadStatus::FileChanged},
        {"cut and grown back longer", 5,
         [&] {
             fs::resize_file(path, 1000);
             grow();
         },
         LoadStatus::FileChanged},
        {"rewritten at the same size", 50, [&] { Overwrite(path, Rows(3000, " 7 7\r\n"), false); },
         LoadStatus::FileChanged},
        // Only the bytes tell: the header was counted with its old bytes.
        {"header rewritten, time kept", 5, [&] { Overwrite(path, "HEAD", true); },
         LoadStatus::FileChanged},
        {"grown while counting", 5, grow, LoadStatus::Loaded},
        {"grown while parsing", 50, grow, LoadStatus::Loaded},
    };
    for (const bool parallel : {false, true}) {
        LoadOptions options;
        options.readChunkBytes = 64;
        options.parallelMinBytes = parallel ? 0 : std::uint64_t(1) << 62;
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (parallel ? " on two threads" : ""));
            dir.Write("changing.kvd", original);
            // An hour old, so that any rewrite gives it a new time.
            fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(1));
            const LoadResult before = LoadFile(path, options);
            ASSERT_EQ(before.status, LoadStatus::Loaded);
            ChangingSink sink;
            sink.at = c.at;
            sink.change = c.change;
            const LoadResult result = LoadFile(path, options, &sink);
            ASSERT_FALSE(sink.change) << "the change was not made";
            ASSERT_EQ(result.status, c.expected);
            if (c.expected == LoadStatus::Loaded) {
                EXPECT_EQ(result.data.recordCount, before.data.recordCount);
                EXPECT_EQ(result.data.columns, before.data.columns);
                EXPECT_EQ(result.data.names, before.data.names);
            } else {
                EXPECT_EQ(result.data.recordCount, 0u); // nothing of it is kept
                EXPECT_TRUE(result.data.columns.empty());
            }
        }
    }
}

} // namespace
} // namespace kurvon
