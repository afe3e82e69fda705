// The cached paint against a full paint after every kind of change: a mouse move reuses the
// base, anything else that shows must be redrawn.

#include "chart/ChartPaintCache.h"
#include "chart/FlatRange.h"

#include "ChartTestData.h"

#include <gtest/gtest.h>

#include <random>

namespace kurvon {
namespace {

ViewState MakeState(std::uint32_t records, float phase) {
    std::vector<TestChannel> channels;
    const ColorRef colors[] = {0x0000FF, 0x00A000, 0xC00000, 0x008080};
    for (int c = 0; c < 4; ++c) {
        TestChannel t;
        t.color = colors[c];
        t.name.assign(1, static_cast<char>('a' + c));
        t.minimum = -2.0f;
        t.maximum = 2.0f;
        t.value = [c, phase](std::uint32_t r) {
            return static_cast<float>(std::sin(r * 0.01 * (c + 1) + phase));
        };
        channels.push_back(t);
    }
    ViewState state = MakeLoadedState(records, channels);
    BuildSummaries(state.data);
    state.visible.Append(0);
    state.visible.Append(2);
    return state;
}

TEST(ChartPaintCacheTest, EveryChangeThatShowsIsRedrawnAndMouseMovesReuseTheBase) {
    std::mt19937 rng(42);
    ViewState state = MakeState(5000, 0.0f);
    ChartPaintCache cache;
    RasterSurface cached;
    RasterSurface full;
    int width = 1000, height = 600;
    for (int step = 0; step < 400; ++step) {
        switch (rng() % 10) {
        case 0: { // navigation, moving one end of the window
            const std::uint32_t span = 1 + rng() % 999;
            if (rng() % 2)
                state.firstRecord = state.lastRecord > span ? state.lastRecord - span : 0;
            else
                state.lastRecord = std::min<std::uint32_t>(4999, state.firstRecord + span);
            break;
        }
        case 1: // drag band: press or release, else a move during the drag
            if (rng() % 3 == 0) {
                state.dragInProgress = !state.dragInProgress;
                state.dragStartX = 60 + static_cast<int>(rng() % 500);
            }
            state.dragEndX = 60 + static_cast<int>(rng() % 500);
            break;
        case 2: // poll
            state.visible.Append(static_cast<int>(rng() % 4));
            break;
        case 3: // recolour
            state.data.colors[rng() % 4] = rng() & 0xFFFFFF;
            break;
        case 4: // resize, below the smallest drawable size too
            if (rng() % 2)
                width = 330 + static_cast<int>(rng() % 1200);
            else
                height = 15 + static_cast<int>(rng() % 700);
            break;
        case 5: { // a new data set of the same shape, or a clear
            const int kind = static_cast<int>(rng() % 3);
            if (kind == 0) {
                ViewState next = MakeState(5000, static_cast<float>(rng() % 100));
                std::swap(next.data, state.data);
                ++state.dataGeneration;
            } else if (kind == 1) {
                ClearModel(state);
            } else {
                state.dataLoaded = true;
                state.firstRecord = 0;
                state.lastRecord = 4999;
            }
            break;
        }
        default: // mouse moves, in and out of the frame
            state.cursorX = static_cast<int>(rng() % static_cast<unsigned>(width - 280)) - 10;
            state.cursorY = static_cast<int>(rng() % static_cast<unsigned>(height + 20)) - 10;
        }
        WidenFlatPrimary(state, width, height);
        const bool drawn = cache.Paint(cached, state, width, height);
        ASSERT_EQ(drawn, RenderChart(full, state, width, height)) << "step " << step;
        if (drawn) {
            ASSERT_TRUE(cached.View() == full.View()) << "step " << step;
        }
    }
}

} // namespace
} // namespace kurvon
