// Loads from start to end: progress positions, colours, refusals, sizes and cancelling.

#include "TestFiles.h"

#include "data/ChannelColors.h"

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace kurvon {
namespace {

using namespace test;
using Positions = std::vector<int>;

// A header, one names line and `records` copies of `row`.
std::string Table(const std::string& names, const std::string& row, int records) {
    std::string bytes = "h\r\n" + names + "\r\n";
    for (int r = 0; r < records; ++r)
        bytes += row + "\r\n";
    return bytes;
}

TEST(Loader, ProgressPositions) {
    // First line 98 characters plus CR LF; 1000 bytes in all.
    std::string bytes = std::string(98, 'h') + "\r\n" + "a b\r\n";
    while (bytes.size() < 1000)
        bytes += "1 2\r\n";
    TempDir dir;
    RecordingSink sink;
    ASSERT_EQ(LoadFile(dir.Write("progress.kvd", bytes), {}, &sink).status, LoadStatus::Loaded);
    const Positions& p = sink.positions;
    EXPECT_EQ(sink.shownAfter, 1);
    ASSERT_GE(p.size(), 5u);
    EXPECT_EQ(Positions(p.begin(), p.begin() + 2), (Positions{0, 1})); // 1: first counted line
    const auto at15 = std::find(p.begin(), p.end(), 15);
    ASSERT_LT(at15 + 1, p.end());
    EXPECT_EQ(at15[1], 23); // first parsing position
    EXPECT_TRUE(std::adjacent_find(p.begin(), p.end(), std::greater_equal<>()) == p.end());
    // 95 after parsing, then one position per channel, each once; 100 is the caller's.
    EXPECT_EQ(Positions(p.end() - 3, p.end()), (Positions{95, 97, 99}));
    LoadFile(dir.Write("five.kvd", Table("a b c d e", "1 2 3 4 5", 2)), {}, &sink);
    EXPECT_EQ(Positions(p.end() - 5, p.end()), (Positions{95, 96, 97, 98, 99}));
}

TEST(Loader, ColoursAndZoomStep) {
    TempDir dir;
    LoadOptions seeded;
    seeded.colorSeed = 77;
    const LoadResult hundred = LoadFile(dir.Write("100.kvd", Table("v", "1", 100)), seeded);
    EXPECT_EQ(hundred.lastRecord, 99u);
    EXPECT_EQ(hundred.data.colors, DrawChannelColors(1, 77));

    // Seeded alike, the generator gives the classic sequence 41, 18467, 6334, ...
    EXPECT_EQ(DrawChannelColors(3, 1)[0], MakeColorRef(41, 18467 % 240, 6334 % 240));
    for (std::uint32_t seed = 0; seed < 500; ++seed) {
        for (ColorRef color : DrawChannelColors(8, seed)) {
            const unsigned r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
            ASSERT_TRUE(color >> 24 == 0 && r < 240 && g < 240 && b < 240) << std::hex << color;
            ASSERT_FALSE(r > 220 && g > 220 && b > 220) << std::hex << color;
        }
    }
}

TEST(Loader, WhatCannotBeOpenedIsRefusedAtOnce) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "folder.kvd");
    std::vector<std::string> paths = {(dir.Path() / "absent.kvd").string(),
                                      (dir.Path() / "folder.kvd").string()};
#ifndef _WIN32 // no pipes in the file system nor read permissions to take away there
    const std::string pipe = (dir.Path() / "pipe.kvd").string(); // no writer: would block
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string locked = dir.Write("locked.kvd", Table("a", "1", 2));
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    paths.insert(paths.end(), {pipe, "/dev/zero"});
    if (::geteuid() != 0) // root reads files whatever their permissions say
        paths.push_back(locked);
#endif
    for (const std::string& path : paths) {
        RecordingSink sink;
        EXPECT_EQ(LoadFile(path, {}, &sink).status, LoadStatus::CannotOpen) << path;
        EXPECT_EQ(sink.positions, Positions{0}) << path;
    }
}

TEST(Loader, LongLinesWideTablesAndChinesePaths) {
    TempDir dir;
    // A 20 MB last line without a line end.
    const LoadResult longData =
        LoadFile(dir.Write("longdata.kvd", "h\r\na b\r\n1 2\r\n" + std::string(20u << 20, '9')));
    ASSERT_EQ(longData.status, LoadStatus::Loaded);
    EXPECT_EQ(Values(longData.data), (Floats{1, 2, std::numeric_limits<float>::infinity(), 0}));

    std::string names, row;
    for (int c = 0; c < 100000; ++c) {
        names += 'c' + std::to_string(c) + '\t';
        row += std::to_string(c % 1000) + " ";
    }
    const LoadResult wide = LoadFile(dir.Write("wide.kvd", Table(names, row, 2)));
    ASSERT_EQ(wide.status, LoadStatus::Loaded);
    EXPECT_EQ(wide.data.names[99999], "c99999");
    EXPECT_EQ(wide.data.Value(12345, 1), 345.0f);
    EXPECT_EQ(wide.listMax[999], "999.00");

    const LoadResult named = LoadFile(dir.Write("电池 数据 1.kvd", Table("电压 电流", "1 2", 2)));
    EXPECT_EQ(named.data.names, (Strings{"电压", "电流"}));
}

TEST(Loader, CancelBeforeAndDuringParsing) {
    TempDir dir;
    LoadOptions options;
    std::atomic<bool> cancelled{true};
    options.cancel = &cancelled;
    const std::string path = dir.Write("cancel.kvd", Table("a b", "1.5 2.5", 50000));
    EXPECT_EQ(LoadFile(path, options).status, LoadStatus::Cancelled);

    cancelled = false;
    ChangingSink sink(30, [&] { cancelled = true; });
    const LoadResult result = LoadFile(path, options, &sink);
    EXPECT_EQ(result.status, LoadStatus::Cancelled);
    EXPECT_TRUE(result.data.columns.empty());
    EXPECT_LT(sink.positions.back(), 95);
}

TEST(Loader, RealCyclerExports) {
    const std::filesystem::path folder = KURVON_SHARED_DATA_DIR;
    if (!std::filesystem::exists(folder / "xTESLADIAG_000038.kvd"))
        GTEST_SKIP() << "no real data files here";
    // Counts and extremes found independently with awk -F'\t'. Cut at tabs: names and values
    // with spaces in them stay whole, and "Volts" holds the voltage.
    const struct {
        const char* file;
        float firstMonth; // of the first record's date-time
        Strings countsMinMaxRecordVolts;
    } files[] = {
        {"xTESLADIAG_000038.kvd", 8, {"38", "10714", "1.00", "10714.00", "3.00", "4.30"}},
        {"PreDiag_000229_truncated.kvd", 12, {"38", "4061", "1.00", "4061.00", "2.70", "4.20"}},
    };
    for (const auto& e : files) {
        const LoadResult r = LoadFile((folder / e.file).string());
        const DataSet& d = r.data;
        ASSERT_EQ(r.status, LoadStatus::Loaded) << e.file;
        EXPECT_EQ((Strings{std::to_string(d.channelCount), std::to_string(d.recordCount),
                           r.listMin[0], r.listMax[0], r.listMin[8], r.listMax[8]}),
                  e.countsMinMaxRecordVolts);
        EXPECT_EQ((Strings{d.names[3], d.names[11]}), (Strings{"Test (Sec)", "DPt Time"}));
        // The state column holds "R".
        EXPECT_EQ((Floats{d.Value(9, 0), d.Value(11, 0)}), (Floats{0, e.firstMonth})) << e.file;
    }
}

} // namespace
} // namespace kurvon
