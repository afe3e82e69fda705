// Loads from start to end: progress positions, colours, statuses and awkward input.

#include "TestFiles.h"

#include "data/ChannelColors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kurvon {
namespace {

using test::LoadFile;
using test::RecordingSink;
using test::TempDir;
using Positions = std::vector<int>;

bool StrictlyRising(const Positions& p) {
    return std::adjacent_find(p.begin(), p.end(), [](int a, int b) { return a >= b; }) == p.end();
}

Positions Tail(const Positions& p, std::size_t n) {
    return p.size() < n ? p : Positions(p.end() - static_cast<std::ptrdiff_t>(n), p.end());
}

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
    ASSERT_EQ(bytes.size(), 1000u);
    TempDir dir;
    RecordingSink sink;
    ASSERT_EQ(LoadFile(dir.Write("progress.kvd", bytes), &sink).status, LoadStatus::Loaded);
    const Positions& p = sink.positions;
    EXPECT_EQ(sink.shownAfter, 1);
    ASSERT_GE(p.size(), 4u);
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(p[1], 1); // first counting position
    const auto at15 = std::find(p.begin(), p.end(), 15);
    ASSERT_LT(at15 + 1, p.end());
    EXPECT_EQ(at15[1], 23); // first parsing position
    EXPECT_TRUE(StrictlyRising(p));
    // Two channels: 95 from the parsing pass, 97 after channel 1, then 99; 100 is the caller's.
    EXPECT_EQ(Tail(p, 3), (Positions{95, 97, 99}));

    // Five channels: 95, 95, 96, 97, 98 computed, each sent once.
    RecordingSink five;
    ASSERT_EQ(LoadFile(dir.Write("five.kvd", Table("a b c d e", "1 2 3 4 5", 2)), &five).status,
              LoadStatus::Loaded);
    EXPECT_EQ(Tail(five.positions, 5), (Positions{95, 96, 97, 98, 99}));
}

TEST(Loader, ViewWindowZoomStepAndColours) {
    TempDir dir;
    std::string bytes = "h\r\nv\r\n";
    for (int r = 0; r < 100; ++r)
        bytes += std::to_string(r) + "\r\n";
    const LoadResult hundred = LoadFile(dir.Write("100.kvd", bytes));
    ASSERT_EQ(hundred.status, LoadStatus::Loaded);
    EXPECT_EQ(hundred.zoomStep, 2u);
    EXPECT_EQ(hundred.lastRecord, 99u);
    EXPECT_EQ(LoadFile(dir.Write("39.kvd", Table("v", "1", 39))).zoomStep, 0u);

    // Seeded alike, the generator gives the classic sequence 41, 18467, 6334, ...
    EXPECT_EQ(DrawChannelColors(3, 1)[0], MakeColorRef(41, 18467 % 240, 6334 % 240));
    for (std::uint32_t seed = 0; seed < 500; ++seed) {
        for (ColorRef color : DrawChannelColors(8, seed)) {
            const unsigned r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
            ASSERT_TRUE(color >> 24 == 0 && r < 240 && g < 240 && b < 240) << std::hex << color;
            ASSERT_FALSE(r > 220 && g > 220 && b > 220) << std::hex << color;
        }
    }
    const std::string path = dir.Write("c.kvd", Table("a b c", "1 2 3", 2));
    EXPECT_EQ(LoadFile(path, nullptr, 77).data.colors, DrawChannelColors(3, 77));
}

TEST(Loader, RefusedFiles) {
    TempDir dir;
    const std::pair<const char*, std::string> tooFew[] = {
        {"empty.kvd", ""},
        {"header.kvd", "header only\r\n"},
        {"names.kvd", "header\r\na b\r\n"},
        {"one.kvd", "header\r\na b\r\n1 2\r\n"},
        {"blank.kvd", "\r\n \t \r\n\r\n"},
    };
    for (const auto& [name, bytes] : tooFew) {
        SCOPED_TRACE(name);
        RecordingSink sink;
        const LoadResult result = LoadFile(dir.Write(name, bytes), &sink);
        EXPECT_EQ(result.status, LoadStatus::TooFewRecords);
        EXPECT_TRUE(result.data.columns.empty());
        EXPECT_EQ(sink.positions.back(), 15);
    }

    RecordingSink missing;
    EXPECT_EQ(LoadFile((dir.Path() / "absent.kvd").string(), &missing).status,
              LoadStatus::CannotOpen);
    EXPECT_EQ(missing.positions, Positions{0});

    std::filesystem::create_directory(dir.Path() / "folder.kvd");
    // A pipe without a writer is refused at once instead of blocking the loader.
    const std::string pipe = (dir.Path() / "pipe.kvd").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path :
         {(dir.Path() / "folder.kvd").string(), pipe, std::string("/dev/zero")})
        EXPECT_EQ(LoadFile(path).status, LoadStatus::CannotOpen) << path;
    if (::geteuid() != 0) { // root reads files whatever their permissions say
        const std::string locked = dir.Write("locked.kvd", Table("a", "1", 2));
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        EXPECT_EQ(LoadFile(locked).status, LoadStatus::CannotOpen);
    }
}

TEST(Loader, AwkwardBytes) {
    TempDir dir;
    // NUL bytes are ordinary bytes: they end a number but stay in names.
    const std::string nul("h\0\r\na\0b c\r\n1\0"
                          "9 2\r\n3 4\0\r\n",
                          24);
    const LoadResult withNul = LoadFile(dir.Write("nul.kvd", nul));
    ASSERT_EQ(withNul.status, LoadStatus::Loaded);
    EXPECT_EQ(withNul.data.names[0], std::string("a\0b", 3));
    EXPECT_EQ(test::Record(withNul.data, 0), (std::vector<float>{1, 2}));

    // A 20 MB line without a line end: as names line, and as the last data line.
    const std::string longLine(20u << 20, '9');
    EXPECT_EQ(LoadFile(dir.Write("longnames.kvd", "h\r\n" + longLine)).status,
              LoadStatus::TooFewRecords);
    const LoadResult longData =
        LoadFile(dir.Write("longdata.kvd", "h\r\na b\r\n1 2\r\n" + longLine));
    ASSERT_EQ(longData.status, LoadStatus::Loaded);
    EXPECT_EQ(longData.data.Value(0, 1), std::numeric_limits<float>::infinity());
    EXPECT_EQ(longData.data.Value(1, 1), 0.0f);

    // 100 000 channels.
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

    // Spaces and Chinese characters in the path.
    const LoadResult named = LoadFile(dir.Write("电池 数据 1.kvd", Table("电压 电流", "1 2", 2)));
    ASSERT_EQ(named.status, LoadStatus::Loaded);
    EXPECT_EQ(named.data.names[1], "电流");
}

TEST(Loader, RandomBytesLoadOrAreRefused) {
    TempDir dir;
    std::mt19937 random(2024);
    std::string alphabet = "0123456789.-+eE \t\r\n\r\nab\x1A\xB5\xFF";
    alphabet += '\0';
    for (int i = 0; i < 300; ++i) {
        std::string bytes(random() % 400, ' ');
        for (char& c : bytes)
            c = alphabet[random() % alphabet.size()];
        const LoadResult result = LoadFile(dir.Write("random.kvd", bytes));
        ASSERT_TRUE(result.status == LoadStatus::Loaded ||
                    result.status == LoadStatus::TooFewRecords)
            << i;
        if (result.status != LoadStatus::Loaded)
            continue;
        const DataSet& data = result.data;
        ASSERT_TRUE(data.recordCount >= 2 && data.names.size() == data.channelCount &&
                    data.columns.size() == data.channelCount)
            << i;
        for (std::uint32_t c = 0; c < data.channelCount; ++c) {
            ASSERT_EQ(data.columns[c].size(), data.recordCount);
            ASSERT_FALSE(data.names[c].empty());
            ASSERT_TRUE(std::none_of(data.columns[c].begin(), data.columns[c].end(),
                                     [](float v) { return std::isnan(v); }));
        }
    }
}

TEST(Loader, CancelBeforeAndDuringParsing) {
    TempDir dir;
    const std::string path = dir.Write("cancel.kvd", Table("a b", "1.5 2.5", 50000));
    std::atomic<bool> cancel{true};
    EXPECT_EQ(LoadFile(path, nullptr, 1, &cancel).status, LoadStatus::Cancelled);

    struct CancellingSink : RecordingSink {
        std::atomic<bool> flag{false};
        void SetPosition(int position) override {
            RecordingSink::SetPosition(position);
            flag = flag || position >= 30;
        }
    } sink;
    const LoadResult result = LoadFile(path, &sink, 1, &sink.flag);
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
        std::uint32_t records;
        std::vector<std::string> minMaxRecordVolts;
        float firstMonth; // of the first record's date-time
    } files[] = {
        {"xTESLADIAG_000038.kvd", 10714, {"1.00", "10714.00", "3.00", "4.30"}, 8},
        {"PreDiag_000229_truncated.kvd", 4061, {"1.00", "4061.00", "2.70", "4.20"}, 12},
    };
    for (const auto& e : files) {
        SCOPED_TRACE(e.file);
        const LoadResult result = LoadFile((folder / e.file).string());
        ASSERT_EQ(result.status, LoadStatus::Loaded);
        EXPECT_EQ(result.data.channelCount, 38u);
        EXPECT_EQ(result.data.recordCount, e.records);
        EXPECT_EQ(result.data.names[3], "Test (Sec)");
        EXPECT_EQ(result.data.names[11], "DPt Time");
        EXPECT_EQ((std::vector<std::string>{result.listMin[0], result.listMax[0], result.listMin[8],
                                            result.listMax[8]}),
                  e.minMaxRecordVolts);
        EXPECT_EQ(result.data.Value(9, 0), 0.0f); // the state column holds "R"
        EXPECT_EQ(result.data.Value(11, 0), e.firstMonth);
    }
}

} // namespace
} // namespace kurvon
