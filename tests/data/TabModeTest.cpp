// Tab-separated exports with spaces in names or values: which files are cut at tabs. How they
// are cut is seen through whole loads.

#include "data/TabMode.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

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

} // namespace
} // namespace kurvon
