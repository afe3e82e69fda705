// The cached paint against a full paint after each kind of change to a random state: a mouse
// move reuses the base, anything else that shows must be redrawn.

#include "chart/ChartPaintCache.h"
#include "chart/FlatRange.h"

#include "ChartTestData.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

TEST(ChartPaintCacheTest, EveryChangeThatShowsIsRedrawnAndMouseMovesReuseTheBase) {
    std::mt19937 rng(42);
    ChartPaintCache cache;
    RasterSurface cached, full;
    for (int step = 0; step < 600; ++step) {
        RandomCase k = MakeRandomCase(rng, 2 + rng() % 3000);
        ViewState& s = k.state;
        for (int change = 0; change < 3; ++change) {
            const std::uint32_t channel = rng() % s.data.channelCount;
            switch (rng() % 8) {
            case 0: // navigation
                s.firstRecord = rng() % std::max<std::uint32_t>(1, s.lastRecord);
                break;
            case 1: // drag band: press, release or move
                s.dragInProgress = rng() % 2;
                s.dragEndX = 60 + static_cast<int>(rng() % 500);
                break;
            case 2: // poll
                s.visible.Append(static_cast<int>(rng() % s.data.channelCount));
                break;
            case 3:
                s.data.colors[channel] = rng() & 0xFFFFFF;
                break;
            case 4: // resize, below the smallest drawable size too
                if (rng() % 2)
                    k.width = 330 + static_cast<int>(rng() % 1200);
                else
                    k.height = 15 + static_cast<int>(rng() % 700);
                break;
            case 5: // new values of the same shape, or a clear
                if (rng() % 2) {
                    s.data.columns[channel] = RandomChannel(s.data.recordCount, rng);
                    BuildSummaries(s.data);
                    ++s.dataGeneration;
                } else {
                    ClearModel(s);
                }
                break;
            default: // mouse moves, in and out of the frame
                s.cursorX = static_cast<int>(rng() % static_cast<unsigned>(k.width - 280)) - 10;
                s.cursorY = static_cast<int>(rng() % static_cast<unsigned>(k.height + 20)) - 10;
            }
            WidenFlatPrimary(s, k.width, k.height);
            const bool drawn = cache.Paint(cached, s, k.width, k.height);
            ASSERT_EQ(drawn, RenderChart(full, s, k.width, k.height)) << "step " << step;
            ASSERT_TRUE(!drawn || cached.View() == full.View()) << "step " << step;
        }
    }
}

} // namespace
} // namespace kurvon
