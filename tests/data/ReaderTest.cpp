// The data-file rules seen through whole loads: line ends, blank lines, the end of the text,
// names, fields and values, each text read whole, in every small chunk size and on two threads.
// Also the list texts, the accepted file names, and which files are cut at tabs.

#include "TestFiles.h"

#include "data/DataFileExtension.h"
#include "data/ListText.h"
#include "data/TabMode.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

namespace kurvon {
namespace {

using namespace std::string_literals;
using namespace test;

constexpr float kInf = std::numeric_limits<float>::infinity();

const std::string kUV = "head\r\nu v\r\n";
const std::string kTabNames = "Test (Sec)\tVolts\r\n", kTabData = "1 9 5\t2\r\n3\t4\r\n";

// Texts whose line ends, Ctrl-Z (\032) and blank lines land on every offset of small chunks.
const struct {
    const char* what;
    std::string bytes;
    Strings names; // none: too few records
    Floats values; // record after record
} kTexts[] = {
    {"worked example",
     "2012-05-14 cell 3 discharge\r\nt\tU   I\r\n\r\n0 12.60 -1.50\r\n1 12.55 -1.50 99\r\n"
     "2 12.5V 1e-1\r\n",
     {"t", "U", "I"},
     {0, 12.6f, -1.5f, 1, 12.55f, -1.5f, 2, 12.5f, 0.1f}},
    {"no final line end", kUV + "1 2\r\n3 4", {"u", "v"}, {1, 2, 3, 4}},
    // A lone CR and a CR before CR LF stay in the line; atof skips leading white space, but
    // never beyond its own field. The byte-order mark belongs to the header line.
    {"lf and lone cr",
     "\n \t\n\xEF\xBB\xBFh\nu\rv w\r\r\n1\r2 3\r\r\n\r\v 5 6\n\n7 8\n",
     {"u\rv", "w\r"},
     {1, 3, 0, 5, 7, 8}},
    {"blank lines",
     "\r\n\r\nhead\r\n\r\n  \r\nu v\r\n\t\r\n1 2\r\n\r\n3 4\r\n \r\n5 6\r\n\r\n",
     {"u", "v"},
     {1, 2, 3, 4, 5, 6}},
    {"ctrl-z mid line", kUV + "1 2\r\n3 4\r\n5 6\032 7\r\n8 9\r\n", {"u", "v"}, {1, 2, 3, 4, 5, 6}},
    {"ctrl-z at line start", kUV + "1 2\r\n3 4\r\n\0325 6\r\n", {"u", "v"}, {1, 2, 3, 4}},
    {"ctrl-z between cr and lf", kUV + "1 2\r\n3 4\r\032\n5 6\r\n", {"u", "v"}, {1, 2, 3, 4}},
    // Two threads: the middle falls in the header, and a Ctrl-Z lies before the middle.
    {"long header", std::string(60, 'h') + "\r\nu v\r\n1 2\r\n3 4\r\n", {"u", "v"}, {1, 2, 3, 4}},
    {"early ctrl-z", kUV + "1 2\r\n3 4\r\n\032" + std::string(50, '5'), {"u", "v"}, {1, 2, 3, 4}},
    {"short, long and non-numeric lines",
     "h\r\na b c d\r\n1 2 3 4 5 6\r\n7\r\nabc -.5 1,5 0x1A\r\ninf nan 1e3 R\r\n"
     "1e39 -1e39 1e-50 N/A\r\n.5 5. +12.5e+3 -0.000000000000000000001\r\n",
     {"a", "b", "c", "d"},
     {1, 2, 3,    4, 7,    0,     0, 0, 0,    -0.5f, 1,     0,
      0, 0, 1000, 0, kInf, -kInf, 0, 0, 0.5f, 5,     12500, -1e-21f}},
    // NUL bytes are ordinary bytes: they end a number but stay in names.
    {"nul bytes", "h\0\r\na\0b c\r\n1\0009 2\r\n3 4\0\r\n"s, {"a\0b"s, "c"}, {1, 2, 3, 4}},
    // Cut at tabs: an empty or missing field is 0; the names may lie past the middle.
    {"tabs",
     "Today's Date 08/15/2019\r\n\r\nRec#\tTest (Sec)\tVolts\tDPt Time\tState\r\n"
     "1\t0.5\t3.45\t08/13/2019 19:17:53\tR\r\n \t\r\n2\t\t3.5e0\t09/14/2019 01:00:00\r\n"
     "\t 1.5 \t-3.25V\t7 8\tD\t9\t\r\n",
     {"Rec#", "Test (Sec)", "Volts", "DPt Time", "State"},
     {1, 0.5f, 3.45f, 8, 0, 2, 0, 3.5f, 9, 0, 0, 1.5f, -3.25f, 7, 0}},
    {"tabs, names past the middle",
     std::string(80, 'h') + "\r\n" + kTabNames + kTabData,
     {"Test (Sec)", "Volts"},
     {1, 2, 3, 4}},
    {"tabs, data past the middle",
     "h\r\n" + kTabNames + std::string(80, '\t') + "\r\n" + kTabData,
     {"Test (Sec)", "Volts"},
     {1, 2, 3, 4}},
    {"empty", "", {}, {}},
    {"one record", "header\r\na b\r\n1 2\r\n", {}, {}},
    {"blank", "\r\n \t \r\n\r\n", {}, {}},
};

TEST(Reader, TextsReadAsWrittenInAnyChunks) {
    TempDir dir;
    for (const auto& t : kTexts) {
        SCOPED_TRACE(t.what);
        const std::string path = dir.Write("text.kvd", t.bytes);
        RecordingSink wholeSink;
        const LoadResult whole = LoadFile(path, {}, &wholeSink);
        if (t.names.empty()) {
            EXPECT_EQ(whole.status, LoadStatus::TooFewRecords);
            EXPECT_EQ(wholeSink.positions.back(), 15);
        } else {
            ASSERT_EQ(whole.status, LoadStatus::Loaded);
            EXPECT_EQ(whole.data.names, t.names);
            EXPECT_EQ(Values(whole.data), t.values);
        }
        for (std::size_t chunk : {1, 2, 3, 4, 5, 7, 11, 16}) {
            SCOPED_TRACE(chunk);
            RecordingSink sink;
            ExpectSameLoad(LoadFile(path, Chunks(chunk, false), &sink), whole);
            EXPECT_EQ(sink.positions, wholeSink.positions);
            ExpectSameLoad(LoadFile(path, Chunks(chunk, true)), whole);
        }
    }
}

TEST(Reader, WorkedExampleListTextsAndExtremes) {
    TempDir dir;
    const LoadResult result = LoadFile(dir.Write("example.kvd", kTexts[0].bytes));
    EXPECT_EQ(result.listMin, (Strings{"0.00", "12.50", "-1.50"}));
    EXPECT_EQ(result.listMax, (Strings{"2.00", "12.60", "0.10"}));
    EXPECT_EQ(result.data.maxima, (Floats{2.0f, 12.6f, 0.1f}));
    EXPECT_EQ(result.data.minima, (Floats{0.0f, 12.5f, -1.5f}));
}

TEST(Reader, ListTextsMatchPrintf) {
    if (std::localeconv()->decimal_point[0] != '.')
        GTEST_SKIP() << "printf here does not write a decimal point";
    std::mt19937 random(7);
    Floats values = {0.0f,   -0.0f, -0.001f, 0.005f,        0.015f, 12.345f,
                     2.675f, -1.5f, 1e30f,   3.4028235e38f, kInf,   -kInf};
    for (int i = 0; i < 20000; ++i)
        values.push_back(std::ldexp(static_cast<float>(random()) / 4294967296.0f,
                                    static_cast<int>(random() % 60) - 20) *
                         (random() % 2 ? 1.0f : -1.0f));
    for (float v : values) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.2f", static_cast<double>(v));
        ASSERT_EQ(FormatListValue(v), expected) << v;
    }
}

TEST(Reader, DroppedPathsNeedTheExtension) {
    const std::pair<const char*, const char*> paths[] = {
        {"C:\\a.kvd", "C:\\a.kvd"}, {"C:\\a.kvd  ", "C:\\a.kvd"}, {".kvd", ".kvd"},
        {"A.KVD", nullptr},         {"a.kvd.txt", nullptr},       {"a.kvd\t", nullptr},
        {"kvd", nullptr},
    };
    for (const auto& [dropped, accepted] : paths)
        EXPECT_EQ(AcceptDataFilePath(dropped).value_or("refused"), accepted ? accepted : "refused")
            << dropped;
}

TEST(TabMode, OnlyWhereTheUsualRuleMisalignsTheTable) {
    const struct {
        const char* names;
        const char* firstData;
        FieldMode mode;
    } cases[] = {
        {"Test (Sec)\tVolts", "1.5\t3.2", FieldMode::Tabs},
        {"Date\tVolts", "08/13/2019 19:17:53\t4.1", FieldMode::Tabs},
        {"Test (Sec)\tVolts\t \t", "1\t2\t\t", FieldMode::Tabs}, // trailing empties dropped
        {"t\tU\tI", "0\t12.6\t-1.5", FieldMode::Usual},          // aligned either way
        {"  a\t\tb   c", "1 2 3", FieldMode::Usual},             // aligned by the usual rule
        {"a\t\tb c", "1\t\t3", FieldMode::Usual},                // an empty name
        {"Test (Sec)\tVolts", "1\t2\t3\t4", FieldMode::Usual},   // tab counts differ
        {"Test (Sec)", "1", FieldMode::Usual},                   // no tab in the names
        {"Test (Sec)\tVolts", "", FieldMode::Usual},             // no data line
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseFieldMode(c.names, c.firstData), c.mode) << c.names << " / " << c.firstData;
}

} // namespace
} // namespace kurvon
