// Tab-separated exports with spaces in names or values: which files are cut at tabs, and how.

#include "TestFiles.h"

#include "data/FieldRule.h"
#include "data/TabMode.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

using test::LoadFile;
using test::Record;
using test::TempDir;
using Floats = std::vector<float>;
using Strings = std::vector<std::string>;

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
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.names) + " / " + c.firstData);
        EXPECT_EQ(ChooseFieldMode(c.names, c.firstData), c.mode);
    }
}

TEST(TabMode, CutAtTabs) {
    const struct {
        const char* line;
        Strings fields;
    } cases[] = {
        {" Test (Sec) \tVolts  ", {"Test (Sec)", "Volts"}},
        {"1\t\t3\t \t\t", {"1", "", "3"}},
        {"\ta", {"", "a"}},
        {"a \t\r", {"a", "\r"}},
        {" \t ", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitFields(c.line, FieldMode::Tabs), c.fields) << c.line;
}

TEST(TabMode, WholeFileCutAtTabs) {
    TempDir dir;
    const LoadResult result =
        LoadFile(dir.Write("tabs.kvd", "Today's Date 08/15/2019\r\n"
                                       "\r\n"
                                       "Rec#\tTest (Sec)\tVolts\tDPt Time\tState\r\n"
                                       "1\t0.5\t3.45\t08/13/2019 19:17:53\tR\r\n"
                                       " \t\r\n"
                                       "2\t\t3.5e0\t09/14/2019 01:00:00\r\n"
                                       "\t 1.5 \t-3.25V\t7 8\tD\t9\t\r\n"));
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(result.data.names, (Strings{"Rec#", "Test (Sec)", "Volts", "DPt Time", "State"}));
    EXPECT_EQ(result.data.recordCount, 3u);
    // An empty field and a missing one are 0; a field's decimal prefix is its value.
    EXPECT_EQ(Record(result.data, 0), (Floats{1, 0.5f, 3.45f, 8, 0}));
    EXPECT_EQ(Record(result.data, 1), (Floats{2, 0, 3.5f, 9, 0}));
    EXPECT_EQ(Record(result.data, 2), (Floats{0, 1.5f, -3.25f, 7, 0}));
}

} // namespace
} // namespace kurvon
