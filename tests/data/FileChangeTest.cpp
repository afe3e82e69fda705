// A file cut short or rewritten while it loads fails the load; one that only grows loads as it
// was when the load began. The change is made from the progress sink, on the loader's thread,
// at a chosen position of the counting pass (below 15) or the parsing pass.

#include "TestFiles.h"

#include <chrono>

namespace kurvon {
namespace {

namespace fs = std::filesystem;
using namespace test;

std::string Rows(const char* row) {
    std::string text = "head\r\na b c\r\n";
    for (int r = 0; r < 3000; ++r)
        text += std::to_string(r) + row;
    return text;
}

TEST(FileChange, CutShortOrRewrittenFailsGrownLoadsAsItWas) {
    TempDir dir;
    const std::string original = Rows(" 2 3\r\n");
    const std::string path = (dir.Path() / "changing.kvd").string();
    const auto cut = [&] { fs::resize_file(path, 1000); };
    const auto grow = [&] { std::ofstream(path, std::ios::binary | std::ios::app) << original; };
    // Writes over the start of the file, its size unchanged.
    const auto overwrite = [&](std::string bytes, bool keepTime) {
        return [&, bytes, keepTime] {
            const auto time = fs::last_write_time(path);
            std::fstream(path, std::ios::binary | std::ios::in | std::ios::out) << bytes;
            if (keepTime)
                fs::last_write_time(path, time);
        };
    };
    const struct {
        const char* name;
        int at;
        std::function<void()> change;
        bool fails; // or loads as the untouched file
    } cases[] = {
        {"cut short while counting", 5, cut, true},
        {"cut short while parsing", 50, cut, true},
        {"cut and grown back longer", 5, [&] { cut(), grow(); }, true},
        {"rewritten at the same size", 50, overwrite(Rows(" 7 7\r\n"), false), true},
        {"same bytes written again", 50, overwrite(original, false), true}, // only the time tells
        // Only the bytes tell: the header was counted with its old bytes.
        {"header rewritten, time kept", 5, overwrite("HEAD", true), true},
        {"grown while counting", 5, grow, false},
        {"grown while parsing", 50, grow, false},
    };
    for (const bool twoThreads : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (twoThreads ? " on two threads" : ""));
            dir.Write("changing.kvd", original);
            // An hour old, so that any rewrite gives it a new time.
            fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(1));
            const LoadResult before = LoadFile(path, Chunks(64, twoThreads));
            ChangingSink sink(c.at, c.change);
            const LoadResult result = LoadFile(path, Chunks(64, twoThreads), &sink);
            ASSERT_FALSE(sink.change) << "the change was not made";
            if (c.fails) {
                EXPECT_EQ(result.status, LoadStatus::FileChanged);
                EXPECT_TRUE(result.data.columns.empty()); // nothing of it is kept
            } else {
                ExpectSameLoad(result, before);
            }
        }
    }
}

} // namespace
} // namespace kurvon
