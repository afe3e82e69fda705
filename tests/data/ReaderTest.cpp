// The data-file rules seen through whole loads: lines, roles, fields, values, extensions.

#include "TestFiles.h"

#include "data/DataFileExtension.h"
#include "data/FieldRule.h"
#include "data/ListText.h"
#include "data/TextLines.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

namespace kurvon {
namespace {

using test::LoadFile;
using test::Record;
using test::TempDir;
using Floats = std::vector<float>;
using Strings = std::vector<std::string>;

TEST(Reader, WorkedExample) {
    TempDir dir;
    const LoadResult result = LoadFile(dir.Write("example.kvd", "2012-05-14 cell 3 discharge\r\n"
                                                                "t\tU   I\r\n"
                                                                "\r\n"
                                                                "0 12.60 -1.50\r\n"
                                                                "1 12.55 -1.50 99\r\n"
                                                                "2 12.5V 1e-1\r\n"));
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    const DataSet& data = result.data;
    EXPECT_EQ(data.channelCount, 3u);
    EXPECT_EQ(data.recordCount, 3u);
    EXPECT_EQ(data.names, (Strings{"t", "U", "I"}));
    EXPECT_EQ(Record(data, 0), (Floats{0.0f, 12.6f, -1.5f}));
    EXPECT_EQ(Record(data, 1), (Floats{1.0f, 12.55f, -1.5f}));
    EXPECT_EQ(Record(data, 2), (Floats{2.0f, 12.5f, 0.1f}));
    EXPECT_EQ(result.listMin, (Strings{"0.00", "12.50", "-1.50"}));
    EXPECT_EQ(result.listMax, (Strings{"2.00", "12.60", "0.10"}));
    EXPECT_EQ(data.maxima, (Floats{3.0f, 12.6f + 1.0f, 0.1f + 1.0f}));
    EXPECT_EQ(data.minima, (Floats{-1.0f, 12.5f - 1.0f, -1.5f - 1.0f}));
    EXPECT_EQ(result.firstRecord, 0u);
    EXPECT_EQ(result.lastRecord, 2u);
    EXPECT_EQ(result.zoomStep, 0u);
}

TEST(Reader, FieldLineAndExtensionRules) {
    EXPECT_EQ(SplitFields("  a\t\tb   c "), (Strings{"a", "b", "c"}));
    EXPECT_EQ(SplitFields("x\ry \r"), (Strings{"x\ry", "\r"}));
    EXPECT_TRUE(SplitFields(" \t \t").empty());
    EXPECT_TRUE(IsBlankLine(nullptr, nullptr));
    const std::string spaces = " \t ", named = "Test (Sec)\tVolts";
    EXPECT_TRUE(IsBlankLine(spaces.data(), spaces.data() + spaces.size()));
    EXPECT_EQ(CountFields(named.data(), named.data() + named.size()), 3u);

    // CR LF and LF end lines; a lone CR and a CR before CR LF stay in the line.
    const std::string text = "a\r\nb\rc\nd\r\r\ne";
    const char* p = text.data();
    std::vector<std::pair<std::string, std::size_t>> lines;
    TextLine line;
    while (NextLine(p, text.data() + text.size(), line))
        lines.emplace_back(std::string(line.begin, line.end), line.bytes);
    EXPECT_EQ(lines, (std::vector<std::pair<std::string, std::size_t>>{
                         {"a", 3}, {"b\rc", 4}, {"d\r", 4}, {"e", 1}}));
    const std::string stopped = "ab\x1A"
                                "cd";
    EXPECT_EQ(FindTextEnd(stopped.data(), stopped.data() + stopped.size()), stopped.data() + 2);

    const std::pair<const char*, const char*> paths[] = {
        {"C:\\data\\run1.kvd", "C:\\data\\run1.kvd"},
        {"C:\\data\\run1.kvd   ", "C:\\data\\run1.kvd"},
        {".kvd", ".kvd"},
        {"RUN1.KVD", nullptr},
        {"run1.kvd.txt", nullptr},
        {"run1.kvd\t", nullptr},
        {"kvd", nullptr},
        {"", nullptr}};
    for (const auto& [dropped, accepted] : paths) {
        SCOPED_TRACE(dropped);
        const auto result = AcceptDataFilePath(dropped);
        EXPECT_EQ(result.has_value(), accepted != nullptr);
        if (accepted) {
            EXPECT_EQ(*result, accepted);
        }
    }
}

TEST(Reader, LineEndsBlankLinesAndEndOfText) {
    TempDir dir;
    // LF-only ends are read whole; blank and whitespace-only lines count for nothing anywhere.
    const LoadResult lf = LoadFile(dir.Write("lf.kvd", "\n \t\nhead\n\t\nx y\n1 2\n  \n3 4\n5 6"));
    ASSERT_EQ(lf.status, LoadStatus::Loaded);
    EXPECT_EQ(lf.data.recordCount, 3u);
    EXPECT_EQ(lf.data.channelCount, 2u);
    EXPECT_EQ(Record(lf.data, 2), (Floats{5.0f, 6.0f}));

    // Ctrl-Z ends the text: the lines after it are not read.
    const LoadResult stopped = LoadFile(dir.Write("ctrlz.kvd", "h\r\nx\r\n1\r\n2\r\n\x1A"
                                                               "3\r\n4\r\n"));
    ASSERT_EQ(stopped.status, LoadStatus::Loaded);
    EXPECT_EQ(stopped.data.recordCount, 2u);
    EXPECT_EQ(LoadFile(dir.Write("ctrlz2.kvd", "h\r\nx\r\n1\r\n\x1A"
                                               "2\r\n3\r\n"))
                  .status,
              LoadStatus::TooFewRecords);

    // A lone CR stays in its field; a UTF-8 byte-order mark belongs to the header line.
    const LoadResult cr = LoadFile(dir.Write("cr.kvd", "\xEF\xBB\xBFh\r\nu\rv w\r\r\n"
                                                       "7\r8 9\r\r\n\r\v 5\r\n"));
    ASSERT_EQ(cr.status, LoadStatus::Loaded);
    EXPECT_EQ(cr.data.names, (Strings{"u\rv", "w\r"}));
    EXPECT_EQ(Record(cr.data, 0), (Floats{7.0f, 9.0f}));
    // atof skips leading white space, but never beyond its own field.
    EXPECT_EQ(Record(cr.data, 1), (Floats{0.0f, 5.0f}));
}

TEST(Reader, ShortLongAndNonNumericLines) {
    TempDir dir;
    const LoadResult result = LoadFile(dir.Write("mixed.kvd", "h\r\n"
                                                              "a b c d\r\n"
                                                              "1 2 3 4 5 6\r\n"
                                                              "7\r\n"
                                                              "abc -.5 1,5 0x1A\r\n"
                                                              "inf nan 1e3 R\r\n"
                                                              "1e39 -1e39 1e-50 N/A\r\n"));
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    const DataSet& data = result.data;
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<Floats> records = {
        {1, 2, 3, 4}, {7, 0, 0, 0}, {0, -0.5f, 1, 0}, {0, 0, 1000, 0}, {inf, -inf, 0, 0}};
    ASSERT_EQ(data.recordCount, records.size());
    for (std::uint32_t r = 0; r < records.size(); ++r)
        EXPECT_EQ(Record(data, r), records[r]) << r;
    EXPECT_EQ(result.listMax[0], "inf");
    EXPECT_EQ(result.listMin[1], "-inf");
    EXPECT_EQ(data.maxima[0], inf);
    EXPECT_EQ(data.minima[1], -inf);
}

TEST(Reader, ListTextsMatchPrintf) {
    if (std::localeconv()->decimal_point[0] != '.')
        GTEST_SKIP() << "printf here does not write a decimal point";
    std::mt19937 random(7);
    const float inf = std::numeric_limits<float>::infinity();
    Floats values = {0.0f,   -0.0f, -0.001f, 0.005f,        0.015f, 12.345f,
                     2.675f, -1.5f, 1e30f,   3.4028235e38f, inf,    -inf};
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

} // namespace
} // namespace kurvon
