#include "chart/Navigation.h"
#include "chart/ChartGeometry.h"
#include "chart/DragSelection.h"
#include "chart/WheelZoom.h"

#include "ChartTestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

namespace kurvon {
namespace {

using W = std::pair<std::uint32_t, std::uint32_t>;
using Command = bool (*)(ViewState&);

ViewState Loaded(std::uint32_t records, W window) {
    ViewState state = MakeLoadedState(records, {{"a"}}, {0});
    std::tie(state.firstRecord, state.lastRecord) = window;
    return state;
}

const auto Window = [](const ViewState& s) { return W(s.firstRecord, s.lastRecord); };

TEST(NavigationTest, KeyCommandsAndWhenTheyAreEnabled) {
    const std::pair<std::uint32_t, std::uint32_t> steps[] = {{1, 1},  {5, 2},  {6, 1},  {15, 3},
                                                             {16, 1}, {29, 1}, {30, 2}, {999, 66}};
    for (const auto& [span, step] : steps)
        EXPECT_EQ(PanStep(0, span), step) << span;

    const Command back = NavigateBack, forward = NavigateForward, in = ZoomIn, out = ZoomOut;
    // 1000 records have a zoom step of 25; 30 records one of 0: the commands act (repaint)
    // without changing the window.
    const struct {
        std::uint32_t records, first, last;
        Command command;
        std::uint32_t afterFirst, afterLast;
    } cases[] = {
        {1000, 0, 999, in, 25, 974},      {1000, 25, 974, out, 0, 999},
        {1000, 100, 200, back, 106, 206}, {1000, 100, 200, forward, 94, 194},
        {1000, 3, 5, forward, 2, 4},      {1000, 996, 998, back, 997, 999},
        {1000, 0, 50, in, 25, 26},        {30, 5, 20, in, 5, 20},
        {30, 5, 20, ShowAll, 0, 29},
    };
    for (const auto& c : cases) {
        ViewState s = Loaded(c.records, {c.first, c.last});
        EXPECT_TRUE(c.command(s));
        EXPECT_EQ(Window(s), W(c.afterFirst, c.afterLast)) << c.records << " from " << c.first;
    }

    // Back, Forward, Zoom in, Zoom out (Show all shares Zoom out's rule).
    const auto enabled = [](const ViewState& s) {
        return std::string{"01"[BackEnabled(s)], "01"[ForwardEnabled(s)], "01"[ZoomInEnabled(s)],
                           "01"[ZoomOutEnabled(s)]};
    };
    EXPECT_EQ(enabled(ViewState()), "0000");
    EXPECT_EQ(enabled(Loaded(1000, {0, 999})), "0010");
    EXPECT_EQ(enabled(Loaded(1000, {0, 2})), "1011");
    EXPECT_EQ(enabled(Loaded(1000, {1, 999})), "0111");
    EXPECT_EQ(enabled(Loaded(1000, {25, 26})), "1101");

    // Nothing acts without a ticked channel.
    ViewState s = Loaded(1000, {100, 200});
    s.visible.Clear();
    for (Command command : {NavigateBack, NavigateForward, ZoomIn, ZoomOut, ShowAll})
        EXPECT_FALSE(command(s));
    EXPECT_FALSE(WheelZoom(s, 1, 350, 700));
    EXPECT_EQ(Window(s), W(100, 200));
}

// A wheel notch: the width the key command gives, placed so the record under the pointer stays.
void WheelNotch(ViewState& s, std::mt19937& random) {
    const std::uint32_t records = s.data.recordCount, f = s.firstRecord, l = s.lastRecord;
    const int width = 121 + static_cast<int>(random() % 900);
    const int x = static_cast<int>(random() % (width + 100)) - 50;
    const bool in = random() % 2 == 0;
    const bool enabled = in ? ZoomInEnabled(s) : ZoomOutEnabled(s);
    const bool clamped = !in && (f < ZoomStep(s) || std::uint64_t{l} + ZoomStep(s) > records - 1);
    (in ? ZoomIn : ZoomOut)(s);
    const std::uint32_t keySpan = s.lastRecord - s.firstRecord;
    std::tie(s.firstRecord, s.lastRecord) = W(f, l);

    const int frameX = std::clamp(x, 60, width - 60);
    const long long under = RecordAtX(frameX, f, l - f, width);
    SCOPED_TRACE(testing::Message() << records << " records, " << f << ".." << l
                                    << (in ? " in" : " out") << " at " << x << " of " << width);
    ASSERT_EQ(WheelZoom(s, in ? 1 : -1, x, width), enabled);
    const std::uint32_t span = s.lastRecord - s.firstRecord;
    ASSERT_TRUE(enabled ? span == keySpan || (clamped && span > keySpan) : Window(s) == W(f, l));
    const long long now = RecordAtX(frameX, s.firstRecord, span, width); // unless pushed aside
    ASSERT_TRUE(s.firstRecord == 0 || s.lastRecord == records - 1 || std::abs(now - under) <= 1);
}

TEST(NavigationTest, RandomCommandsKeepTheWindowValidAndTheWheelThePointerRecord) {
    std::mt19937 random(7);
    const Command commands[] = {NavigateBack, NavigateForward, ZoomIn, ZoomOut, ShowAll};
    for (std::uint32_t records : {2u, 3u, 7u, 41u, 1000u, 123457u}) {
        ViewState s = Loaded(records, {0, records - 1});
        for (int n = 0; n < 800; ++n) {
            const unsigned pick = random() % 8; // a wheel notch in three of eight
            if (pick < 5)
                commands[pick](s);
            else
                ASSERT_NO_FATAL_FAILURE(WheelNotch(s, random));
            ASSERT_TRUE(s.firstRecord < s.lastRecord && s.lastRecord < records) << records;
        }
    }
}

TEST(NavigationTest, DragSelectsTheRecordsUnderTheBandAndWheelNotchesAddUp) {
    // Pressed in a chart area 700 wide: frame x 60 .. 640, window 0 .. 580 (one record per
    // pixel); released in an area `width` wide: beyond the right margin, or pressed in the
    // left margin (x = 60), or with the old start clamped into a frame shrunk to 60 .. 340.
    const struct {
        int from, to, width;
        W start, selected;
    } drags[] = {
        {100, 300, 700, {0, 580}, {40, 240}},    {300, 100, 700, {0, 580}, {40, 240}},
        {100, 110, 700, {0, 580}, {0, 580}},     {100, 111, 700, {0, 580}, {40, 51}},
        {100, 5000, 700, {0, 580}, {40, 580}},   {-50, 300, 700, {0, 580}, {0, 240}},
        {620, 640, 700, {998, 999}, {998, 999}}, {600, 100, 400, {0, 580}, {82, 580}},
    };
    for (const auto& d : drags) {
        ViewState s = Loaded(1000, d.start);
        EXPECT_TRUE(BeginDrag(s, d.from, 700));
        EXPECT_FALSE(BeginDrag(s, d.to, 700)); // a press during a drag is ignored
        TrackCursor(s, 900, 7, 700);
        EXPECT_EQ(s.dragEndX, 640); // clamped while dragging
        EndDrag(s, d.to, d.width);
        EXPECT_FALSE(s.dragInProgress);
        EXPECT_EQ(Window(s), d.selected) << d.from << " to " << d.to;
    }

    // Beyond the random check: several notches at once, and a widening pushed aside by the
    // first record (1000 records have a zoom step of 25).
    ViewState s = Loaded(1000, {0, 999});
    EXPECT_TRUE(WheelZoom(s, 3, 350, 700));
    EXPECT_EQ(Window(s), W(75, 924));
    s = Loaded(1000, {10, 200});
    EXPECT_TRUE(WheelZoom(s, -1, 640, 700));
    EXPECT_EQ(Window(s), W(0, 240));

    WheelNotches notches;
    const std::pair<int, int> deltas[] = {{120, 1}, {240, 2}, {60, 0},    {59, 0},
                                          {1, 1},   {-30, 0}, {-90, -1},  {-119, 0},
                                          {120, 1}, {0, 0},   {-360, -3}, {2147483647, 17895697}};
    for (const auto& [delta, whole] : deltas)
        EXPECT_EQ(notches.Add(delta), whole) << delta;
}

} // namespace
} // namespace kurvon
