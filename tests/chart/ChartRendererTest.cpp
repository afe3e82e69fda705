#include "chart/ChartRenderer.h"

#include "ChartTestData.h"

#include <gtest/gtest.h>

#include <limits>

namespace kurvon {
namespace {

constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kGreen = 0x00FF00;
constexpr ColorRef kBlue = 0xFF0000;
constexpr ColorRef kBand = 0xEBC8C8;

// Pixels of `color` in the rectangle left <= x < right, top <= y < bottom.
int CountColor(const RasterSurface& s, int left, int top, int right, int bottom, ColorRef color) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            n += s.PixelAt(x, y) == color;
    return n;
}

int CountNotWhite(const RasterSurface& s, int left, int top, int right, int bottom) {
    return (right - left) * (bottom - top) - CountColor(s, left, top, right, bottom, kWhite);
}

// Client 1000 x 600: chart area 700 x 600, plot frame (60, 10) - (640, 580).
RasterSurface Render(ViewState& state) {
    RasterSurface s;
    EXPECT_TRUE(RenderChart(s, state, 1000, 600));
    EXPECT_EQ(s.Width(), 700);
    EXPECT_EQ(s.Height(), 600);
    return s;
}

TEST(ChartRendererTest, EmptyViewShowsOutlineNullAndCrosshair) {
    ViewState state;
    state.cursorX = 300;
    state.cursorY = 200;
    RasterSurface s = Render(state);
    for (auto [x, y] : {std::pair{60, 10},
                        {60, 300},
                        {60, 580},
                        {300, 580},
                        {640, 580},
                        {640, 300},
                        {640, 10},
                        {300, 10}})
        EXPECT_EQ(s.PixelAt(x, y), kBlack) << x << ", " << y;
    EXPECT_EQ(s.PixelAt(59, 300), kWhite);
    EXPECT_EQ(s.PixelAt(641, 300), kWhite);
    // Crosshair through (300, 200) from edge to edge.
    EXPECT_EQ(CountColor(s, 300, 11, 301, 580, kBlack), 569);
    EXPECT_EQ(CountColor(s, 61, 200, 640, 201, kBlack), 579);
    // "NULL" beside the cursor at (304, 182), in black.
    EXPECT_GT(CountColor(s, 304, 182, 340, 199, kBlack), 8);
    EXPECT_EQ(CountNotWhite(s, 61, 11, 300, 199), 0);
    EXPECT_EQ(CountNotWhite(s, 301, 201, 640, 580), 0);

    // On the frame's edge: no crosshair and no text.
    for (auto [cx, cy] : {std::pair{60, 200}, {640, 200}, {300, 10}, {300, 580}}) {
        state.cursorX = cx;
        state.cursorY = cy;
        RasterSurface edge = Render(state);
        EXPECT_EQ(CountNotWhite(edge, 61, 11, 640, 580), 0) << cx << ", " << cy;
    }
    // A drag with nothing loaded draws no band.
    state.dragInProgress = true;
    state.dragStartX = 200;
    state.dragEndX = 400;
    EXPECT_EQ(CountNotWhite(Render(state), 61, 11, 640, 580), 0);
}

TEST(ChartRendererTest, OneChannelIsWideWithRightLabelsOnly) {
    ViewState state = MakeLoadedState(300, {{"U", kRed, 0.0f, 10.0f}}); // constant 5: y = 295
    state.visible.Append(0);
    state.cursorX = 300;
    state.cursorY = 200;
    RasterSurface s = Render(state);

    // The 3-pixel curve, crossed by the crosshair on top.
    for (int y = 294; y <= 296; ++y)
        EXPECT_EQ(s.PixelAt(400, y), kRed) << y;
    EXPECT_EQ(s.PixelAt(400, 293), kWhite);
    EXPECT_EQ(s.PixelAt(400, 297), kWhite);
    EXPECT_EQ(s.PixelAt(300, 295), kBlack);
    // Left edge 1-pixel black, right edge 2-pixel in the channel's colour.
    EXPECT_EQ(s.PixelAt(60, 400), kBlack);
    EXPECT_EQ(s.PixelAt(61, 400), kWhite);
    EXPECT_EQ(s.PixelAt(640, 400), kRed);
    EXPECT_EQ(s.PixelAt(641, 400), kRed);
    EXPECT_EQ(s.PixelAt(300, 580), kBlack); // bottom and top edges black
    EXPECT_EQ(s.PixelAt(300, 10), kBlack);
    // Right ticks (w - 64 .. w - 61) and labels in the channel's colour; nothing on the left.
    EXPECT_EQ(CountColor(s, 636, 530, 640, 531, kRed), 4);
    EXPECT_EQ(s.PixelAt(635, 530), kWhite);
    EXPECT_GT(CountColor(s, 644, 522, 700, 538, kRed), 8);
    EXPECT_EQ(CountNotWhite(s, 0, 11, 60, 293), 0); // (the wide curve's first stamp reaches x = 59)
    EXPECT_EQ(CountNotWhite(s, 0, 298, 60, 580), 0);
    EXPECT_EQ(s.PixelAt(62, 530), kWhite);
    // Record ticks of the worked example: (x, 580) up to (x, 561), labels below.
    EXPECT_EQ(CountColor(s, 156, 561, 157, 580, kBlack), 19);
    EXPECT_EQ(s.PixelAt(156, 560), kWhite);
    EXPECT_EQ(CountColor(s, 544, 561, 545, 580, kBlack), 19);
    EXPECT_GT(CountColor(s, 146, 582, 170, 600, kBlack), 5);
    // One readout line at (cx + 4, cy - 18) in the channel's colour.
    EXPECT_GT(CountColor(s, 304, 182, 400, 199, kRed), 8);
    EXPECT_EQ(CountNotWhite(s, 304, 150, 400, 181), 0);
}

TEST(ChartRendererTest, PrimaryOnTopSecondaryOwnsTheLeftSide) {
    ViewState state = MakeLoadedState(
        300, {{"A", kGreen, 0.0f, 10.0f, [](std::uint32_t) { return 2.0f; }}, // y = 466
              {"B", kBlue, 0.0f, 10.0f, [](std::uint32_t) { return 8.0f; }},  // y = 124
              {"C", kRed, 0.0f, 10.0f, [](std::uint32_t r) { return r < 150 ? 2.0f : 8.0f; }}});
    for (int c : {0, 1, 2})
        state.visible.Append(c);
    state.cursorX = 300;
    state.cursorY = 300;
    RasterSurface s = Render(state);

    EXPECT_EQ(s.PixelAt(600, 466), kGreen); // earlier channels: 1-pixel curves
    EXPECT_EQ(s.PixelAt(600, 465), kWhite);
    EXPECT_EQ(s.PixelAt(100, 124), kBlue);
    EXPECT_EQ(s.PixelAt(100, 125), kWhite);
    for (int y = 465; y <= 467; ++y) // the primary covers channel A where they meet
        EXPECT_EQ(s.PixelAt(100, y), kRed) << y;
    for (int y = 123; y <= 125; ++y)
        EXPECT_EQ(s.PixelAt(600, y), kRed) << y;
    // The secondary's left edge (2 pixels), ticks and labels.
    EXPECT_EQ(s.PixelAt(60, 400), kBlue);
    EXPECT_EQ(s.PixelAt(61, 400), kBlue);
    EXPECT_EQ(s.PixelAt(62, 530), kBlue);
    EXPECT_EQ(s.PixelAt(63, 530), kBlue);
    EXPECT_EQ(s.PixelAt(64, 530), kWhite);
    EXPECT_GT(CountColor(s, 0, 522, 60, 538, kBlue), 8);
    EXPECT_EQ(s.PixelAt(640, 400), kRed);
    // Two readout lines: the primary's at cy - 18, the secondary's above it at cy - 34.
    EXPECT_GT(CountColor(s, 304, 282, 400, 299, kRed), 8);
    EXPECT_GT(CountColor(s, 304, 266, 400, 281, kBlue), 8);
    EXPECT_EQ(CountColor(s, 304, 266, 400, 299, kGreen), 0);
}

TEST(ChartRendererTest, ReadoutShowsChannelNamesDecodedFromGbkOrUtf8) {
    auto readout = [](const std::string& name) {
        ViewState state = MakeLoadedState(300, {{name, kRed, 0.0f, 10.0f}});
        state.visible.Append(0);
        state.cursorX = 300;
        state.cursorY = 200;
        return Render(state).Image();
    };
    const QImage utf8 = readout("\xE7\x94\xB5\xE5\x8E\x8B"); // 电压 in UTF-8
    EXPECT_EQ(readout("\xB5\xE7\xD1\xB9"), utf8);            // 电压 in GBK
    EXPECT_NE(readout("\xE7\x94\xB5\xE6\xB5\x81"), utf8);    // 电流
}

TEST(ChartRendererTest, SelectionBandLiesUnderTheCurvesInsideTheFrame) {
    ViewState state = MakeLoadedState(300, {{"U", kRed, 0.0f, 10.0f}});
    state.visible.Append(0);
    state.dragInProgress = true;
    state.dragStartX = 400; // dragging right to left
    state.dragEndX = 200;
    RasterSurface s = Render(state);
    EXPECT_EQ(s.PixelAt(300, 100), kBand);
    EXPECT_EQ(s.PixelAt(200, 100), kBand);
    EXPECT_EQ(s.PixelAt(399, 100), kBand);
    EXPECT_EQ(s.PixelAt(199, 100), kWhite);
    EXPECT_EQ(s.PixelAt(400, 100), kWhite);
    EXPECT_EQ(s.PixelAt(300, 579), kBand);
    EXPECT_EQ(s.PixelAt(300, 580), kBlack); // frame edges redrawn over it
    EXPECT_EQ(s.PixelAt(300, 10), kBlack);
    EXPECT_EQ(s.PixelAt(300, 295), kRed);
}

TEST(ChartRendererTest, FlatPrimaryIsWidenedAroundRecordZeroAndKept) {
    ViewState state =
        MakeLoadedState(100, {{"flat", kRed, 7.0f, 7.0f, [](std::uint32_t) { return 3.0f; }},
                              {"other", kGreen, 5.0f, 5.0f, [](std::uint32_t) { return 5.0f; }}});
    state.visible.Append(0);
    RasterSurface s = Render(state);
    EXPECT_EQ(state.data.maxima[0], 4.0f);
    EXPECT_EQ(state.data.minima[0], 2.0f);
    EXPECT_EQ(s.PixelAt(300, 295), kRed); // on the middle of the plot height

    // A flat channel that is not primary is drawn along the middle; nothing is stored.
    state.visible.Clear();
    state.visible.Append(1);
    state.visible.Append(0);
    Render(state);
    EXPECT_EQ(state.data.maxima[1], 5.0f);
    EXPECT_EQ(state.data.minima[1], 5.0f);
    state.visible.Clear();
    state.visible.Append(0);
    state.visible.Append(1); // now primary: widened from its record 0
    Render(state);
    EXPECT_EQ(state.data.maxima[1], 6.0f);
    EXPECT_EQ(state.data.minima[1], 4.0f);
}

TEST(ChartRendererTest, TooSmallAreasDrawNothingAndNarrowOnesHaveNoRecordLabels) {
    ViewState state = MakeLoadedState(300, {{"U", kRed}});
    state.visible.Append(0);
    RasterSurface s(5, 5);
    s.FillRect(0, 0, 5, 5, kGreen);
    EXPECT_FALSE(RenderChart(s, state, 359, 600)); // w = 59
    EXPECT_FALSE(RenderChart(s, state, 1000, 19));
    EXPECT_EQ(s.Width(), 5);
    EXPECT_EQ(s.PixelAt(2, 2), kGreen);
    EXPECT_TRUE(RenderChart(s, state, 360, 20)); // a degenerate frame, still drawn safely

    ASSERT_TRUE(RenderChart(s, state, 420, 600)); // w = 120: both frame edges at x = 60
    EXPECT_EQ(CountColor(s, 60, 561, 62, 580, kRed), 38);
    EXPECT_EQ(CountColor(s, 0, 561, 120, 580, kBlack), 0); // no record ticks
    EXPECT_EQ(CountColor(s, 0, 582, 120, 600, kBlack), 0); // no record labels
}

TEST(ChartRendererTest, UndefinedValuesAndBadStateDrawWithoutFault) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    ViewState state = MakeLoadedState(
        1000,
        {{"nan", kGreen, 0.0f, 10.0f, [nan](std::uint32_t r) { return r % 3 ? nan : 1.0f; }},
         {"huge", kBlue, -3e38f, 3e38f, [](std::uint32_t r) { return r % 2 ? 3e38f : -3e38f; }},
         {"inf", kRed, -inf, inf, [inf](std::uint32_t r) { return r % 2 ? inf : -inf; }},
         {"tiny", kRed, 1.0f, 1.0000001f, [](std::uint32_t r) { return r % 2 ? 1.0f : 2.0f; }}});
    for (int c : {0, 1, 2, 3})
        state.visible.Append(c);
    state.cursorX = 300;
    state.cursorY = 300;
    Render(state);
    state.visible.RemoveAt(3);
    Render(state);

    // Entries naming no channel are skipped; a window past the data set draws no curves.
    state.visible.Append(7);
    state.visible.Append(-1);
    Render(state);
    state.firstRecord = 10;
    state.lastRecord = 5000;
    RasterSurface s = Render(state);
    EXPECT_EQ(s.PixelAt(640, 300), kRed); // the frame edges still show the primary
}

} // namespace
} // namespace kurvon
