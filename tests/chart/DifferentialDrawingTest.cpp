// Two comparisons over random states (adversarial data, windows, sizes, visible lists, cursors
// and bands), before and after a change of each kind the view sees between paints: the drawing
// by pixel column against the literal one-segment-per-record drawing, the oracle; and the cached
// paint against a full paint (a mouse move reuses the base, anything else must be redrawn).

#include "chart/ChartPaintCache.h"
#include "chart/ChartRenderer.h"

#include "ChartTestData.h"
#include "PixelCompare.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

void Change(RandomCase& k, std::mt19937& rng) {
    ViewState& s = k.state;
    const std::uint32_t channel = rng() % s.data.channelCount;
    const std::function<void()> changes[] = {
        [&] { s.firstRecord = rng() % std::max<std::uint32_t>(1, s.lastRecord); }, // navigation
        [&] { s.dragInProgress = !s.dragInProgress; },
        [&] { s.dragEndX = 60 + static_cast<int>(rng() % 500); },
        [&] { s.visible.Append(static_cast<int>(rng() % s.data.channelCount)); }, // a poll
        [&] { s.data.colors[channel] = rng() & 0xFFFFFF; },
        [&] { (rng() % 2 ? k.width : k.height) = 15 + static_cast<int>(rng() % 1500); },
        [&] { // new values of the same shape
            s.data.columns[channel] = RandomChannel(s.data.recordCount, rng);
            BuildSummaries(s.data);
            ++s.dataGeneration;
        },
        [&] { ClearModel(s); },
        [&] { // mouse moves, in and out of the frame
            std::tie(s.cursorX, s.cursorY) =
                std::pair(int(rng() % 2000) - 300, int(rng() % 900) - 20);
        }};
    changes[std::min<std::size_t>(rng() % 12, std::size(changes) - 1)]();
}

void Compare(std::mt19937& rng, std::uint32_t records, ChartPaintCache& cache) {
    static RasterSurface literal, byColumn, cached; // reused: fresh ones cost more than drawing
    RandomCase k = MakeRandomCase(rng, records);
    ViewState& s = k.state;
    for (int change = 0; change < 3; ++change, Change(k, rng)) {
        SCOPED_TRACE(testing::Message() << records << " records, change " << change);
        const bool drawn = RenderChart(literal, s, k.width, k.height, 0xFFFFFF, CurveMode::Literal);
        ASSERT_EQ(RenderChart(byColumn, s, k.width, k.height), drawn);
        ASSERT_EQ(cache.Paint(cached, s, k.width, k.height), drawn);
        ASSERT_NO_FATAL_FAILURE(ExpectSame(literal.View(), byColumn.View())); // kept when not drawn
        ASSERT_NO_FATAL_FAILURE(ExpectSame(byColumn.View(), cached.View()));
    }
}

TEST(DifferentialDrawingTest, SmallAndMediumDataSets) {
    std::mt19937 rng(20261207);
    ChartPaintCache cache;
    const std::uint32_t sizes[] = {60, 3000, 60000};
    for (int i = 0; i < 1000 && !HasFailure(); ++i)
        Compare(rng, 2 + rng() % sizes[i % 3], cache);
}

// Long runs per column reach the upper levels of the summary.
TEST(DifferentialDrawingTest, LongRunsPerColumn) {
    std::mt19937 rng(7);
    ChartPaintCache cache;
    for (int i = 0; i < 6 && !HasFailure(); ++i)
        Compare(rng, 400000 + rng() % 400000, cache);
}

} // namespace
} // namespace kurvon
