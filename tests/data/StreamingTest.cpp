// The file read in chunks and parsed on two threads gives exactly what one whole read gives,
// whatever the chunk boundaries cut.

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>

namespace kurvon {
namespace {

using test::LoadFile;
using test::RecordingSink;
using test::TempDir;

std::string Repeat(int times, const std::string& piece) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

constexpr std::uint64_t kNeverParallel = std::uint64_t(1) << 62;

LoadOptions Options(std::size_t chunk, std::uint64_t parallelMin) {
    LoadOptions options;
    options.colorSeed = 1;
    options.readChunkBytes = chunk;
    options.parallelMinBytes = parallelMin;
    return options;
}

bool SameFloats(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
}

// Every field of the two results, values compared bit for bit.
void ExpectSameLoad(const LoadResult& a, const LoadResult& b) {
    ASSERT_EQ(a.status, b.status);
    EXPECT_EQ(a.data.recordCount, b.data.recordCount);
    EXPECT_EQ(a.data.names, b.data.names);
    ASSERT_EQ(a.data.columns.size(), b.data.columns.size());
    for (std::size_t c = 0; c < a.data.columns.size(); ++c)
        EXPECT_TRUE(SameFloats(a.data.columns[c], b.data.columns[c])) << "channel " << c;
    EXPECT_TRUE(SameFloats(a.data.maxima, b.data.maxima));
    EXPECT_TRUE(SameFloats(a.data.minima, b.data.minima));
    EXPECT_EQ(a.listMin, b.listMin);
    EXPECT_EQ(a.listMax, b.listMax);
}

// Texts whose lines, line ends, Ctrl-Z and blank lines land on every offset of small chunks.
const std::pair<const char*, std::string> kAwkwardTexts[] = {
    {"crlf", "head\r\nu v w\r\n1 2 3\r\n-4.5 5e1 6\r\n7 8 9\r\n"},
    {"no final end", "head\r\nu v\r\n1 2\r\n3 4"},
    {"lf and lone cr", "\n \t\nhead\nu\rv w\r\r\n1\r2 3\r\r\n\r\v 5 6\n\n7 8\n"},
    {"blank lines", "\r\n\r\nhead\r\n\r\n  \r\nu v\r\n\t\r\n1 2\r\n\r\n3 4\r\n \r\n5 6\r\n\r\n"},
    {"ctrl-z mid line", "head\r\nu v\r\n1 2\r\n3 4\r\n5 6\x1A 7\r\n8 9\r\n"},
    {"ctrl-z at line start", "head\r\nu v\r\n1 2\r\n3 4\r\n\x1A"
                             "5 6\r\n"},
    {"ctrl-z between cr and lf", "head\r\nu v\r\n1 2\r\n3 4\r\x1A\n5 6\r\n"},
    // Two threads: the middle falls in the header, and a Ctrl-Z lies before the middle.
    {"long header", std::string(60, 'h') + "\r\nu v\r\n1 2\r\n3 4\r\n"},
    {"early ctrl-z", "head\r\nu v\r\n1 2\r\n3 4\r\n\x1A" + std::string(40, '5') + "\r\n6 7\r\n"},
    {"long fields", "head\r\nalpha beta\r\n123456789012345678901234.5 -0.000000000000000000001\r\n"
                    "1e-320 +12.5e+3\r\n.5 5.\r\n"},
    // Cut at tabs; the first data line may lie past the middle, where the second thread starts.
    {"tabs", "head\r\nTest (Sec)\tVolts\tDPt Time\r\n1\t3.5\t08/13/2019 19:17:53\r\n\t\t\r\n"
             "\t\t09/01 1\t\r\n 3 \t4.25 V\t7\t8\r\n"},
    {"tabs, names past the middle",
     std::string(80, 'h') + "\r\nTest (Sec)\tVolts\r\n1 9 5\t2\r\n3\t4\r\n"},
    {"tabs, data past the middle",
     "head\r\nTest (Sec)\tVolts\r\n" + Repeat(20, "\t \r\n") + "1 9 5\t2\r\n3\t4\r\n"},
};

TEST(Streaming, EveryChunkSizeReadsLikeOneChunk) {
    TempDir dir;
    for (const auto& [name, bytes] : kAwkwardTexts) {
        SCOPED_TRACE(name);
        const std::string path = dir.Write("awkward.kvd", bytes);
        RecordingSink wholeSink;
        const LoadResult whole = LoadFile(path, Options(1 << 20, kNeverParallel), &wholeSink);
        ASSERT_EQ(whole.status, LoadStatus::Loaded);
        if (std::string_view(name).starts_with("tabs")) {
            ASSERT_EQ(whole.data.names.front(), "Test (Sec)");
        }
        for (std::size_t chunk : {1, 2, 3, 4, 5, 7, 11, 16}) {
            SCOPED_TRACE(chunk);
            RecordingSink sink;
            ExpectSameLoad(LoadFile(path, Options(chunk, kNeverParallel), &sink), whole);
            EXPECT_EQ(sink.positions, wholeSink.positions);
            // And split between two threads at the middle, wherever that is.
            ExpectSameLoad(LoadFile(path, Options(chunk, 0)), whole);
        }
    }
}

// Random lines of numbers, blank lines and stray bytes, a few kilobytes long, after a start that
// is cut by the usual rule or at tabs.
std::string RandomText(std::mt19937& random, bool tabs) {
    static const char* const kPieces[] = {"1",  "-2.5", "3e2", "x", " ",    "\t",   "\r\n",    "\n",
                                          "\r", "",     ".",   "-", "\x1A", "7.25", "\r\n\r\n"};
    std::string text = tabs ? "head\r\nx y\tz\r\n1\t3\r\n" : "head\r\na b c\r\n";
    const std::size_t size = 2000 + random() % 6000;
    while (text.size() < size) {
        const char* piece = kPieces[random() % std::size(kPieces)];
        if (*piece == '\x1A' && random() % 8 != 0)
            continue; // rarely: it ends the text
        text += piece;
    }
    return text;
}

TEST(Streaming, RandomTextsOnTwoThreadsAndSmallChunks) {
    TempDir dir;
    std::mt19937 random(99);
    for (int i = 0; i < 60; ++i) {
        SCOPED_TRACE(i);
        const std::string path = dir.Write("random.kvd", RandomText(random, i % 2 == 1));
        const LoadResult whole = LoadFile(path, Options(1 << 20, kNeverParallel));
        const std::size_t chunk = 1 + random() % 300;
        ExpectSameLoad(LoadFile(path, Options(chunk, kNeverParallel)), whole);
        RecordingSink sink;
        ExpectSameLoad(LoadFile(path, Options(chunk, 0), &sink), whole);
        if (whole.status == LoadStatus::Loaded) {
            EXPECT_TRUE(std::is_sorted(sink.positions.begin(), sink.positions.end()));
            EXPECT_EQ(sink.positions.back(), 99);
        }
    }
}

} // namespace
} // namespace kurvon
