#include "chart/ChartRenderer.h"
#include "chart/FlatRange.h"

#include "ChartTestData.h"

#include <QFontDatabase>

#include <gtest/gtest.h>

namespace kurvon {
namespace {

constexpr ColorRef kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0x0000FF, kGreen = 0x00FF00,
                   kBlue = 0xFF0000, kBand = 0xEBC8C8;
constexpr ColorRef kNotWhite = 0xFFFFFFFF; // counts every pixel that is not white

// A pixel's colour; and `count` pixels of a colour in left <= x < right, top <= y < bottom (a
// negative count means "more than -count").
using Px = std::tuple<int, int, ColorRef>;
using In = std::tuple<int, int, int, int, ColorRef, int>;

void Expect(const RasterSurface& s, std::initializer_list<Px> pixels,
            std::initializer_list<In> counts = {}) {
    for (const auto& [x, y, color] : pixels)
        EXPECT_EQ(s.PixelAt(x, y), color) << x << ", " << y;
    for (const auto& [left, top, right, bottom, color, count] : counts) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += color == kNotWhite ? s.PixelAt(x, y) != kWhite : s.PixelAt(x, y) == color;
        EXPECT_TRUE(count < 0 ? n > -count : n == count)
            << n << " at " << left << ", " << top << " .. " << right << ", " << bottom;
    }
}

// Client 1000 x 600: chart area 700 x 600, plot frame (60, 10) - (640, 580).
RasterSurface Render(ViewState& state, int cursorX = -1000, int cursorY = -1000) {
    RasterSurface s;
    std::tie(state.cursorX, state.cursorY) = std::pair(cursorX, cursorY);
    EXPECT_TRUE(RenderChart(s, state, 1000, 600));
    return s;
}

TEST(ChartRendererTest, EmptyViewShowsOutlineNullAndCrosshairButNoBand) {
    ViewState state;
    std::tie(state.dragInProgress, state.dragStartX, state.dragEndX) = std::tuple(true, 200, 400);
    // The frame, the crosshair through (300, 200) from edge to edge, "NULL" at (304, 182).
    Expect(Render(state, 300, 200),
           {Px{60, 10, kBlack}, Px{60, 580, kBlack}, Px{640, 580, kBlack}, Px{640, 10, kBlack},
            Px{59, 300, kWhite}, Px{641, 300, kWhite}},
           {In{300, 11, 301, 580, kBlack, 569}, In{61, 200, 640, 201, kBlack, 579},
            In{304, 182, 340, 199, kBlack, -8}, In{61, 11, 300, 199, kNotWhite, 0},
            In{301, 201, 640, 580, kNotWhite, 0}});
    // On the frame's edge: no crosshair and no text.
    for (auto [cx, cy] : {std::pair{60, 200}, {640, 200}, {300, 10}, {300, 580}})
        Expect(Render(state, cx, cy), {}, {In{61, 11, 640, 580, kNotWhite, 0}});
}

TEST(ChartRendererTest, PrimaryOnTopSecondaryOwnsTheLeftSideBandBelowAll) {
    ViewState state = MakeLoadedState(
        300,
        {{"A", kGreen, 0.0f, 10.0f, [](std::uint32_t) { return 2.0f; }}, // y = 466
         {"B", kBlue, 0.0f, 10.0f, [](std::uint32_t) { return 8.0f; }},  // y = 124
         {"C", kRed, 0.0f, 10.0f, [](std::uint32_t r) { return r < 150 ? 2.0f : 8.0f; }}},
        {0, 1, 2});
    std::tie(state.dragInProgress, state.dragStartX, state.dragEndX) = std::tuple(true, 400, 200);
    // Earlier channels are 1-pixel curves under the 3-pixel primary, the crosshair over all; the
    // primary owns the right edge (2 pixels), its ticks (w - 64 .. w - 61) and labels, the
    // secondary the left ones; record ticks of the worked example (x, 580) up to (x, 561),
    // labels below; two readout lines, the primary's at (cx + 4, cy - 18) and the secondary's
    // above it at cy - 34. The band, dragged right to left, lies under the curves and the frame
    // edges.
    Expect(Render(state, 300, 300),
           {Px{600, 466, kGreen}, Px{600, 465, kWhite}, Px{100, 124, kBlue},  Px{100, 125, kWhite},
            Px{100, 465, kRed},   Px{100, 466, kRed},   Px{100, 467, kRed},   Px{600, 122, kWhite},
            Px{600, 123, kRed},   Px{600, 125, kRed},   Px{300, 466, kBlack}, Px{60, 400, kBlue},
            Px{61, 400, kBlue},   Px{62, 530, kBlue},   Px{63, 530, kBlue},   Px{64, 530, kWhite},
            Px{640, 400, kRed},   Px{641, 400, kRed},   Px{635, 530, kWhite}, Px{156, 560, kWhite},
            Px{200, 100, kBand},  Px{399, 100, kBand},  Px{199, 100, kWhite}, Px{400, 100, kWhite},
            Px{250, 579, kBand},  Px{250, 580, kBlack}, Px{250, 10, kBlack},  Px{250, 124, kBlue},
            Px{250, 466, kRed}},
           {In{0, 522, 60, 538, kBlue, -8}, In{636, 530, 640, 531, kRed, 4},
            In{644, 522, 700, 538, kRed, -8}, In{156, 561, 157, 580, kBlack, 19},
            In{544, 561, 545, 580, kBlack, 19}, In{146, 582, 170, 600, kBlack, -5},
            In{304, 282, 400, 299, kRed, -8}, In{304, 266, 400, 281, kBlue, -8},
            In{304, 250, 400, 299, kGreen, 0}});
    // Alone, the primary leaves the left edge 1-pixel black and nothing left of it but the
    // first stamp of its curve (x = 59).
    state.visible.Clear();
    state.visible.Append(2);
    Expect(Render(state), {Px{60, 400, kBlack}, Px{61, 400, kWhite}},
           {In{0, 11, 60, 465, kNotWhite, 0}, In{0, 468, 60, 580, kNotWhite, 0}});

    // Readout names are decoded in the file's encoding.
    auto readout = [](const std::string& name, TextEncoding encoding) {
        ViewState one = MakeLoadedState(300, {{name, kRed}}, {0});
        one.data.nameEncoding = encoding;
        return Render(one, 300, 200).Image();
    };
    const QImage utf8 = readout("\xE7\x94\xB5\xE5\x8E\x8B", TextEncoding::Utf8); // 电压
    EXPECT_EQ(readout("\xB5\xE7\xD1\xB9", TextEncoding::Gbk), utf8);
    // Without any font (seen under Wine) every letter is the same box.
    if (!QFontDatabase::families().isEmpty()) {
        EXPECT_NE(readout("\xE7\x94\xB5\xE6\xB5\x81", TextEncoding::Utf8), utf8); // 电流
    }
}

// The data set keeps true extremes: every channel is shown over them widened by 1, a primary
// still flat after that (values too large for +-1 to change) over record 0's value +-1, and the
// paint writes nothing back.
TEST(ChartRendererTest, RangesAreWidenedForDisplayOnly) {
    ViewState state = MakeLoadedState(
        100,
        {{"flat", kRed},
         {"huge", kBlue, 0.0f, 10.0f, [](std::uint32_t r) { return r ? 3e8f : 5.0f; }}},
        {0});
    DataSet& d = state.data;
    std::tie(d.minima[0], d.maxima[0], d.minima[1], d.maxima[1]) =
        std::tuple(5.0f, 5.0f, 3e8f, 3e8f);
    Expect(Render(state), {Px{300, 295, kRed}, Px{300, 292, kWhite}}); // middle of 4 .. 6
    EXPECT_EQ(std::pair(d.minima[0], d.maxima[0]), std::pair(5.0f, 5.0f));
    EXPECT_EQ(DisplayRange(d, 0, false), std::pair(6.0f, 4.0f));
    EXPECT_EQ(DisplayRange(d, 0, true), std::pair(6.0f, 4.0f));
    EXPECT_EQ(DisplayRange(d, 1, false), std::pair(3e8f, 3e8f));
    EXPECT_EQ(DisplayRange(d, 1, true), std::pair(6.0f, 4.0f));
    d.maxima[0] = 9.0f; // a channel that grew out of flat is shown over its new range
    EXPECT_EQ(DisplayRange(d, 0, true), std::pair(10.0f, 4.0f));
}

} // namespace
} // namespace kurvon
