// The cycle overlay: one cycle with absolute x is exactly the x-axis chart of that cycle's
// records in the cycle's colour; relative x lays equal cycles over each other; the overlay is off
// without a choice, an x channel or cycles; the ramp runs from blue to red.
#include "chart/CycleOverlay.h"
#include "chart/ChartRenderer.h"
#include "chart/CycleOverlayRenderer.h"

#include "ChartTestData.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

constexpr int kW = 700, kH = 420;

CycleChoice Choice(std::string_view text) {
    return std::get<CycleChoice>(ParseCycleChoice(text));
}

bool InBox(const LegendBox& b, int x, int y) {
    return x >= b.left && x < b.right && y >= b.top && y < b.bottom;
}

// Three cycles of 150 records: x rises within each and starts over (capacity), a few x are NaN
// (the curve breaks); y is noisy with spikes and infinities.
ViewState Cycling(std::mt19937& rng, bool flatX) {
    const std::vector<float> noise = RandomChannel(450, rng);
    // From many records a column (runs along one column) to several columns a record.
    const float gain = 0.02f + static_cast<float>(rng() % 100) / 40.0f;
    std::vector<TestChannel> channels(3);
    channels[0].value = [=](std::uint32_t r) {
        if (r % 37 == 5)
            return std::nanf("");
        return flatX ? 2.0f : 100.0f * static_cast<float>(r / 150) + gain * (r % 150);
    };
    channels[1].value = [=](std::uint32_t r) { return 3.0f + static_cast<float>(r % 150) * 0.01f; };
    channels[1].minimum = 3.0f;
    channels[1].maximum = 4.5f;
    channels[2].value = [noise](std::uint32_t r) { return noise[r]; };
    channels[2].minimum = -5.0f;
    channels[2].maximum = 5.0f;
    ViewState s = MakeLoadedState(450, channels, {2, 1});
    s.cycles.spans = {{0, 149}, {150, 299}, {300, 449}};
    s.xChannel = 0;
    return s;
}

TEST(CycleOverlay, OneCycleIsTheXAxisChartOfItsRecordsInItsColour) {
    std::mt19937 rng(21);
    static RasterSurface overlay, chart;
    for (int i = 0; i < 60 && !HasFailure(); ++i) {
        ViewState s = Cycling(rng, i % 10 == 9);
        const std::uint32_t n = 1 + rng() % 3;
        for (ColorRef& c : s.data.colors)
            c = RampColor(0, 1);
        s.overlay.choice = Choice(std::to_string(n));
        ASSERT_TRUE(RenderOverlayBase(overlay, s, kW, kH));
        // The same cycle as the view window of the chart, its channels in the ramp's colour.
        s.overlay.choice.reset();
        s.firstRecord = s.cycles.spans[n - 1].first;
        s.lastRecord = s.cycles.spans[n - 1].last;
        ASSERT_TRUE(RenderChartBase(chart, s, kW, kH, 0xFFFFFF, CurveMode::Literal));
        const LegendBox legend = OverlayLegendBox(1);
        for (int y = 0; y < overlay.Height(); ++y)
            for (int x = 0; x < overlay.Width(); ++x) {
                if (InBox(legend, x, y))
                    continue;
                ASSERT_EQ(overlay.PixelAt(x, y), chart.PixelAt(x, y))
                    << "case " << i << " at " << x << ", " << y;
            }
    }
}

TEST(CycleOverlay, RelativeXLaysEqualCyclesOverEachOther) {
    std::vector<TestChannel> channels(2);
    // Time runs on across cycles; the first record of each cycle has no time, so its x counts
    // from its second record.
    channels[0].value = [](std::uint32_t r) {
        return r % 100 == 0 ? std::nanf("") : 1000.0f + 10.0f * static_cast<float>(r) - (r >= 100);
    };
    channels[1].value = [](std::uint32_t r) { return static_cast<float>((r % 100) % 30); };
    channels[1].maximum = 30.0f;
    ViewState s = MakeLoadedState(200, channels, {1});
    s.cycles.spans = {{0, 99}, {100, 199}};
    s.xChannel = 0;
    s.overlay.relative = true;
    s.overlay.choice = Choice("1,2");
    const std::vector<OverlayCycle> cycles = OverlayCycles(s);
    ASSERT_EQ(cycles.size(), 2u);
    EXPECT_EQ(cycles[0].origin, 1010.0f);
    EXPECT_EQ(cycles[1].origin, 2009.0f);
    const OverlayAxis axis(s.data, 0, cycles, true, kW);
    EXPECT_EQ(axis.X(cycles[1], 101), 0.0f);
    EXPECT_EQ(axis.X(cycles[1], 199), 980.0f);
    EXPECT_NEAR(*axis.ValueAt(60), 0.0, 1e-9);
    EXPECT_NEAR(*axis.ValueAt(kW - 60), 980.0, 1e-3);
    // Absolute x spans both cycles.
    const OverlayAxis absolute(s.data, 0, cycles, false, kW);
    EXPECT_NEAR(*absolute.ValueAt(60), 1010.0, 1e-9);
    EXPECT_NEAR(*absolute.ValueAt(kW - 60), 2989.0, 1e-3);

    // Cycle 2 (red, drawn last) covers cycle 1 exactly: above the x labels (spaced by the
    // records drawn), the picture of both is that of cycle 2 alone, recoloured.
    static RasterSurface both, second;
    ASSERT_TRUE(RenderOverlayBase(both, s, kW, kH));
    s.overlay.choice = Choice("2");
    ASSERT_TRUE(RenderOverlayBase(second, s, kW, kH));
    const LegendBox legend = OverlayLegendBox(2);
    int red = 0;
    for (int y = 0; y < kH - 40; ++y)
        for (int x = 0; x < both.Width(); ++x)
            if (!InBox(legend, x, y)) {
                const ColorRef alone = second.PixelAt(x, y);
                red += alone == RampColor(0, 1);
                ASSERT_EQ(both.PixelAt(x, y), alone == RampColor(0, 1) ? RampColor(1, 2) : alone)
                    << x << ", " << y;
            }
    EXPECT_GT(red, 500);

    // Through the cache, a mouse move gives the pixels of a full paint.
    OverlayPaintCache cache;
    static RasterSurface cached;
    ASSERT_TRUE(cache.Paint(cached, s, kW, kH));
    s.cursorX = 300;
    s.cursorY = 200;
    ASSERT_TRUE(cache.Paint(cached, s, kW, kH));
    ASSERT_TRUE(RenderOverlayBase(second, s, kW, kH));
    DrawOverlayCursorLayer(second, s, kW, kH);
    EXPECT_TRUE(cached.View() == second.View());
    EXPECT_FALSE(cached.View() == both.View());
}

TEST(CycleOverlay, OffWithoutChoiceXChannelOrCyclesAndRampEnds) {
    std::mt19937 rng(5);
    ViewState s = Cycling(rng, false);
    s.overlay.choice = Choice("2, last, 9");
    ASSERT_TRUE(OverlayActive(s));
    const std::vector<OverlayCycle> cycles = OverlayCycles(s);
    ASSERT_EQ(cycles.size(), 2u);
    EXPECT_EQ(cycles[0].number, 2u);
    EXPECT_EQ(cycles[1].first, 300u);
    EXPECT_EQ(cycles[0].color, RampColor(0, 2));
    EXPECT_EQ(RampColor(0, 5), 0xC80000u); // blue
    EXPECT_EQ(RampColor(4, 5), 0x0000C8u); // red
    EXPECT_EQ(RampColor(0, 1), RampColor(0, 7));

    s.overlay.choice = Choice("9");
    EXPECT_FALSE(OverlayActive(s));
    s.overlay.choice = Choice("1");
    s.xChannel = -1;
    EXPECT_FALSE(OverlayActive(s));
    s.xChannel = 0;
    s.cycles.spans.back().last = 450; // a span past the records is never drawn
    s.overlay.choice = Choice("3");
    EXPECT_FALSE(OverlayActive(s));
    s.cycles.spans.clear();
    EXPECT_FALSE(OverlayActive(s));
    ClearModel(s);
    EXPECT_FALSE(s.overlay.choice);
}

} // namespace
} // namespace kurvon
