// Random texts read in random chunk sizes and on two threads give exactly what one whole read
// gives, and every load is whole or refused.

#include "TestFiles.h"

#include <algorithm>
#include <cmath>

namespace kurvon {
namespace {

using namespace test;
using namespace std::string_view_literals;

// Random lines of numbers, blank lines and stray bytes after a start that is cut by the usual
// rule or at tabs.
std::string RandomText(std::mt19937& random, bool tabs) {
    static const std::string_view kPieces[] = {
        "1", "-2.5", "3e2", "x",    " ",    "\t",       "\r\n",     "\n",   "\r",
        "",  ".",    "-",   "\032", "7.25", "\r\n\r\n", "\xB5\xFF", "\0"sv,
    };
    std::string text = tabs ? "head\r\nx y\tz\r\n1\t3\r\n" : "head\r\na b c\r\n";
    const std::size_t size = 2000 + random() % 6000;
    while (text.size() < size) {
        const std::string_view piece = kPieces[random() % std::size(kPieces)];
        if (piece == "\032" && random() % 8 != 0)
            continue; // rarely: it ends the text
        text += piece;
    }
    return text;
}

TEST(Streaming, RandomTextsLikeOneWholeRead) {
    TempDir dir;
    std::mt19937 random(99);
    for (int i = 0; i < 80; ++i) {
        SCOPED_TRACE(i);
        // Some are cut short to a few bytes, to reach the refusals too.
        std::string text = RandomText(random, i % 2 == 1);
        if (i % 4 == 3)
            text.resize(random() % 40);
        const std::string path = dir.Write("random.kvd", text);
        const LoadResult whole = LoadFile(path, Chunks(1 << 20, false));
        const std::size_t chunk = 1 + random() % 300;
        ExpectSameLoad(LoadFile(path, Chunks(chunk, false)), whole);
        RecordingSink sink;
        ExpectSameLoad(LoadFile(path, Chunks(chunk, true), &sink), whole);
        ASSERT_TRUE(whole.status == LoadStatus::Loaded ||
                    whole.status == LoadStatus::TooFewRecords);
        if (whole.status != LoadStatus::Loaded)
            continue;
        EXPECT_TRUE(std::is_sorted(sink.positions.begin(), sink.positions.end()));
        EXPECT_EQ(sink.positions.back(), 99);
        const DataSet& data = whole.data;
        ASSERT_TRUE(data.recordCount >= 2 && data.names.size() == data.channelCount);
        for (std::uint32_t c = 0; c < data.channelCount; ++c) {
            ASSERT_EQ(data.columns[c].size(), data.recordCount);
            ASSERT_FALSE(data.names[c].empty());
            ASSERT_TRUE(std::none_of(data.columns[c].begin(), data.columns[c].end(),
                                     [](float v) { return std::isnan(v); }));
        }
    }
}

} // namespace
} // namespace kurvon
