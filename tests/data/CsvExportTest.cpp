// CSV fields quoted only where a reader needs it; long exports in chunks that stop when one is
// refused. What the rows hold is read back by the export command's tests.
#include "data/CsvExport.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

TEST(CsvExport, FieldsAreQuotedOnlyWhenTheyMustBe) {
    const std::pair<const char*, const char*> cases[] = {
        {"Volts", "Volts"},     {"", ""},
        {"a,b", "\"a,b\""},     {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {" lead", "\" lead\""}, {"trail ", "\"trail \""},
        {"in side", "in side"}, {"cr\rlf\n", "\"cr\rlf\n\""},
        {"电压", "电压"},
    };
    for (const auto& [field, expected] : cases) {
        std::string out;
        AppendCsvField(out, field);
        EXPECT_EQ(out, expected) << field;
    }
}

TEST(CsvExport, LongExportsArriveInChunksAndStopWhenRefused) {
    DataSet data;
    data.recordCount = 200000;
    data.channelCount = 1;
    data.columns.assign(1, std::vector<float>(data.recordCount, 0.5f));
    const CsvExportJob job{&data, 0, data.recordCount - 1, {0}, {"v"}};
    std::string all;
    int chunks = 0;
    ASSERT_TRUE(WriteCsv(job, [&](const char* b, std::size_t n) {
        all.append(b, n);
        return ++chunks > 0;
    }));
    EXPECT_GT(chunks, 1);
    EXPECT_EQ(all.substr(0, 25), "record,v\r\n0,0.5\r\n1,0.5\r\n2");
    EXPECT_EQ(all.substr(all.size() - 12), "199999,0.5\r\n");
    int calls = 0; // the first chunk is refused: nothing comes after it
    EXPECT_FALSE(WriteCsv(job, [&](const char*, std::size_t) { return ++calls > 1; }));
    EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace kurvon
