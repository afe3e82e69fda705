// Loads from start to end: progress positions, colours, statuses and awkward input.

#include "TestFiles.h"

#include "data/ChannelColors.h"
#include "data/MemoryBudget.h"
#include "data/ProgressGate.h"

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

bool StrictlyRising(const std::vector<int>& positions) {
    return std::adjacent_find(positions.begin(), positions.end(),
                              [](int a, int b) { return a >= b; }) == positions.end();
}

std::size_t IndexOf(const std::vector<int>& positions, int value) {
    return static_cast<std::size_t>(std::find(positions.begin(), positions.end(), value) -
                                    positions.begin());
}

TEST(Loader, ProgressOfAThousandByteFile) {
    // First line 98 characters plus CR LF; 1000 bytes in all.
    std::string bytes = std::string(98, 'h') + "\r\n" + "a b\r\n";
    while (bytes.size() < 1000)
        bytes += "1 2\r\n";
    ASSERT_EQ(bytes.size(), 1000u);
    TempDir dir;
    RecordingSink sink;
    const LoadResult result = LoadFile(dir.Write("progress.kvd", bytes), &sink);
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    const std::vector<int>& p = sink.positions;
    EXPECT_EQ(sink.shownAfter, 1);
    ASSERT_GE(p.size(), 4u);
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(p[1], 1); // first counting position
    const std::size_t at15 = IndexOf(p, 15);
    ASSERT_LT(at15 + 1, p.size());
    EXPECT_EQ(p[at15 + 1], 23); // first parsing position
    EXPECT_TRUE(StrictlyRising(p));
    // Two channels: 95 from the parsing pass, 97 after channel 1, then 99; 100 is the caller's.
    EXPECT_EQ(std::vector<int>(p.end() - 3, p.end()), (std::vector<int>{95, 97, 99}));
}

TEST(Loader, ExtremesProgressOfFiveChannels) {
    std::vector<int> raw;
    for (std::uint32_t c = 0; c < 5; ++c)
        raw.push_back(static_cast<int>(ExtremesPosition(c, 5)));
    EXPECT_EQ(raw, (std::vector<int>{95, 95, 96, 97, 98}));

    TempDir dir;
    RecordingSink sink;
    const LoadResult result =
        LoadFile(dir.Write("five.kvd", "h\r\na b c d e\r\n1 2 3 4 5\r\n5 4 3 2 1\r\n"), &sink);
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    const std::vector<int>& p = sink.positions;
    ASSERT_GE(p.size(), 5u);
    EXPECT_EQ(std::vector<int>(p.end() - 5, p.end()), (std::vector<int>{95, 96, 97, 98, 99}));
}

TEST(Loader, ViewWindowAndZoomStep) {
    TempDir dir;
    std::string bytes = "h\r\nv\r\n";
    for (int r = 0; r < 100; ++r)
        bytes += std::to_string(r) + "\r\n";
    const LoadResult hundred = LoadFile(dir.Write("100.kvd", bytes));
    ASSERT_EQ(hundred.status, LoadStatus::Loaded);
    EXPECT_EQ(hundred.zoomStep, 2u);
    EXPECT_EQ(hundred.firstRecord, 0u);
    EXPECT_EQ(hundred.lastRecord, 99u);
    EXPECT_EQ(hundred.data.Value(0, 99), 99.0f);

    bytes = "h\r\nv\r\n";
    for (int r = 0; r < 39; ++r)
        bytes += "1\r\n";
    EXPECT_EQ(LoadFile(dir.Write("39.kvd", bytes)).zoomStep, 0u);
}

TEST(Loader, ChannelColors) {
    // Seeded alike, the generator gives the classic sequence 41, 18467, 6334, ...
    const std::vector<ColorRef> first = DrawChannelColors(3, 1);
    EXPECT_EQ(first[0], MakeColorRef(41, 18467 % 240, 6334 % 240));

    for (std::uint32_t seed = 0; seed < 2000; ++seed) {
        for (ColorRef color : DrawChannelColors(8, seed)) {
            const unsigned r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
            ASSERT_EQ(color >> 24, 0u);
            ASSERT_TRUE(r < 240 && g < 240 && b < 240) << std::hex << color;
            ASSERT_FALSE(r > 220 && g > 220 && b > 220) << std::hex << color;
        }
    }

    TempDir dir;
    const std::string path = dir.Write("c.kvd", "h\r\na b c\r\n1 2 3\r\n4 5 6\r\n");
    EXPECT_EQ(LoadFile(path, nullptr, 77).data.colors, DrawChannelColors(3, 77));
    EXPECT_EQ(LoadFile(path, nullptr, 77).data.colors, LoadFile(path, nullptr, 77).data.colors);
}

TEST(Loader, RefusedFiles) {
    TempDir dir;
    const std::vector<std::pair<std::string, std::string>> tooFew = {
        {"empty.kvd", ""},
        {"header.kvd", "header only\r\n"},
        {"names.kvd", "header\r\na b\r\n"},
        {"one.kvd", "header\r\na b\r\n1 2\r\n"},
        {"blank.kvd", "\r\n \t \r\n\r\n"},
    };
    for (const auto& [name, bytes] : tooFew) {
        RecordingSink sink;
        const LoadResult result = LoadFile(dir.Write(name, bytes), &sink);
        EXPECT_EQ(result.status, LoadStatus::TooFewRecords) << name;
        EXPECT_FALSE(result.data.Present()) << name;
        EXPECT_EQ(result.data.recordCount, 0u) << name;
        EXPECT_EQ(sink.positions.back(), 15) << name;
    }

    RecordingSink missing;
    EXPECT_EQ(LoadFile((dir.Path() / "absent.kvd").string(), &missing).status,
              LoadStatus::CannotOpen);
    EXPECT_EQ(missing.positions, std::vector<int>{0});
    EXPECT_EQ(missing.shownAfter, 1);

    std::filesystem::create_directory(dir.Path() / "folder.kvd");
    EXPECT_EQ(LoadFile((dir.Path() / "folder.kvd").string()).status, LoadStatus::CannotOpen);
    // A pipe without a writer is refused at once instead of blocking the loader.
    const std::string pipe = (dir.Path() / "pipe.kvd").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(LoadFile(pipe).status, LoadStatus::CannotOpen);
    EXPECT_EQ(LoadFile("/dev/zero").status, LoadStatus::CannotOpen);

    if (::geteuid() != 0) { // root reads files whatever their permissions say
        const std::string locked = dir.Write("locked.kvd", "h\r\na\r\n1\r\n2\r\n");
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
    EXPECT_EQ(withNul.data.Value(0, 0), 1.0f);
    EXPECT_EQ(withNul.data.Value(1, 1), 4.0f);

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
        names += 'c';
        names += std::to_string(c);
        names += '\t';
        row += std::to_string(c % 1000) + " ";
    }
    const LoadResult wide =
        LoadFile(dir.Write("wide.kvd", "h\r\n" + names + "\r\n" + row + "\r\n" + row + "\r\n"));
    ASSERT_EQ(wide.status, LoadStatus::Loaded);
    EXPECT_EQ(wide.data.channelCount, 100000u);
    EXPECT_EQ(wide.data.names[99999], "c99999");
    EXPECT_EQ(wide.data.Value(12345, 1), 345.0f);
    EXPECT_EQ(wide.listMax[999], "999.00");

    // Spaces and Chinese characters in the path.
    const std::string odd = dir.Write("电池 数据 1.kvd", "h\r\n电压 电流\r\n1 2\r\n3 4\r\n");
    const LoadResult named = LoadFile(odd);
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
        ASSERT_GE(data.recordCount, 2u);
        ASSERT_GE(data.channelCount, 1u);
        ASSERT_EQ(data.names.size(), data.channelCount);
        ASSERT_EQ(data.columns.size(), data.channelCount);
        ASSERT_EQ(result.listMax.size(), data.channelCount);
        for (std::uint32_t c = 0; c < data.channelCount; ++c) {
            ASSERT_EQ(data.columns[c].size(), data.recordCount);
            ASSERT_FALSE(data.names[c].empty());
            for (float v : data.columns[c])
                ASSERT_FALSE(std::isnan(v));
        }
    }
}

TEST(Loader, DataSetLargerThanMemoryIsRefused) {
    // A small file can still describe a huge table: many names, many one-value lines.
    constexpr std::uint64_t kChannels = 100000;
    const std::uint64_t records = PhysicalMemoryBytes() / (kChannels * 4) + 1000;
    std::string bytes = "h\r\n";
    for (std::uint64_t c = 0; c < kChannels; ++c)
        bytes += "n ";
    bytes += "\r\n";
    for (std::uint64_t r = 0; r < records; ++r)
        bytes += "1\r\n";
    TempDir dir;
    const LoadResult result = LoadFile(dir.Write("huge.kvd", bytes));
    EXPECT_EQ(result.status, LoadStatus::OutOfMemory);
    EXPECT_FALSE(result.data.Present());
}

TEST(Loader, Cancel) {
    TempDir dir;
    std::string bytes = "h\r\na b\r\n";
    for (int r = 0; r < 50000; ++r)
        bytes += "1.5 2.5\r\n";
    const std::string path = dir.Write("cancel.kvd", bytes);

    std::atomic<bool> cancel{true};
    EXPECT_EQ(LoadFile(path, nullptr, 1, &cancel).status, LoadStatus::Cancelled);

    // Cancelled from the progress sink during the parsing pass.
    class CancellingSink : public RecordingSink {
    public:
        explicit CancellingSink(std::atomic<bool>& flag) : m_flag(flag) {}
        void SetPosition(int position) override {
            RecordingSink::SetPosition(position);
            if (position >= 30)
                m_flag = true;
        }
        std::atomic<bool>& m_flag;
    };
    std::atomic<bool> late{false};
    CancellingSink sink(late);
    RecordingSink& base = sink;
    const LoadResult result = LoadFile(path, &base, 1, &late);
    EXPECT_EQ(result.status, LoadStatus::Cancelled);
    EXPECT_FALSE(result.data.Present());
    EXPECT_LT(sink.positions.back(), 95);
}

TEST(Loader, LargeFileParsedInTwoParts) {
    // Large enough for the second parsing thread; every record must land in its own place.
    TempDir dir;
    std::string bytes = "header\r\nindex twice text\r\n";
    std::uint32_t records = 0;
    while (bytes.size() < (40u << 20)) {
        bytes += std::to_string(records) + '\t' + std::to_string(records * 2) + " x\r\n";
        if (records % 1000 == 0)
            bytes += "\r\n  \r\n"; // blank lines count for nothing
        ++records;
    }
    RecordingSink sink;
    const LoadResult result = LoadFile(dir.Write("large.kvd", bytes), &sink);
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    ASSERT_EQ(result.data.recordCount, records);
    for (std::uint32_t r = 0; r < records; ++r) {
        ASSERT_EQ(result.data.Value(0, r), static_cast<float>(r)) << r;
        ASSERT_EQ(result.data.Value(1, r), static_cast<float>(r * 2)) << r;
        ASSERT_EQ(result.data.Value(2, r), 0.0f) << r;
    }
    EXPECT_TRUE(StrictlyRising(sink.positions));
    EXPECT_NE(IndexOf(sink.positions, 95), sink.positions.size());
    EXPECT_EQ(sink.positions.back(), 99);
}

TEST(Loader, RealCyclerExports) {
    const std::filesystem::path folder = KURVON_SHARED_DATA_DIR;
    if (!std::filesystem::exists(folder / "xTESLADIAG_000038.kvd"))
        GTEST_SKIP() << "no real data files here";
    struct Expected {
        const char* file;
        std::uint32_t records;
        const char* minRec;
        const char* maxRec;
        const char* minVolts;
        const char* maxVolts;
    };
    // Counts and extremes found independently with awk; "Test (Sec)" splits into two names.
    for (const Expected& e : {
             Expected{"xTESLADIAG_000038.kvd", 10714, "1.00", "10714.00", "3.00", "4.30"},
             Expected{"PreDiag_000229_truncated.kvd", 4061, "1.00", "4061.00", "2.70", "4.20"},
         }) {
        const LoadResult result = LoadFile((folder / e.file).string());
        ASSERT_EQ(result.status, LoadStatus::Loaded) << e.file;
        EXPECT_EQ(result.data.channelCount, 49u) << e.file;
        EXPECT_EQ(result.data.recordCount, e.records) << e.file;
        EXPECT_EQ(result.data.names[3], "Test");
        EXPECT_EQ(result.data.names[4], "(Sec)");
        EXPECT_EQ(result.data.names[8], "Watt-hr");
        EXPECT_EQ(result.listMin[0], e.minRec) << e.file;
        EXPECT_EQ(result.listMax[0], e.maxRec) << e.file;
        EXPECT_EQ(result.listMin[8], e.minVolts) << e.file;
        EXPECT_EQ(result.listMax[8], e.maxVolts) << e.file;
        EXPECT_EQ(result.data.Value(9, 0), 0.0f); // the state column holds "R"
    }
}

} // namespace
} // namespace kurvon
