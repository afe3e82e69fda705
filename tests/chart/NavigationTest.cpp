#include "chart/Navigation.h"
#include "chart/ChartGeometry.h"
#include "chart/DragSelection.h"
#include "chart/WheelZoom.h"

#include "ChartTestData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <utility>

namespace kurvon {
namespace {

using W = std::pair<std::uint32_t, std::uint32_t>;

ViewState Loaded(std::uint32_t records, std::uint32_t first, std::uint32_t last) {
    ViewState state = MakeLoadedState(records, {{"a"}, {"b"}, {"c"}, {"d"}});
    state.visible.Append(0);
    state.firstRecord = first;
    state.lastRecord = last;
    return state;
}

W Window(const ViewState& s) {
    return {s.firstRecord, s.lastRecord};
}

using Command = bool (*)(ViewState&);

TEST(NavigationTest, PanZoomAndShowAllSequences) {
    const std::pair<std::uint32_t, std::uint32_t> steps[] = {{1, 1},  {5, 2},  {6, 1},  {15, 3},
                                                             {16, 1}, {29, 1}, {30, 2}, {999, 66}};
    for (const auto& [span, step] : steps)
        EXPECT_EQ(PanStep(0, span), step) << span;

    // From a window, a sequence of commands and the window after each.
    const struct {
        std::uint32_t records;
        W start;
        std::vector<std::pair<Command, W>> steps;
    } cases[] = {
        {1000, {0, 999}, {{ZoomIn, {25, 974}}, {ZoomOut, {0, 999}}, {NavigateBack, {0, 999}}}},
        {1000, {100, 200}, {{NavigateBack, {106, 206}}}},
        {1000, {100, 200}, {{NavigateForward, {94, 194}}}},
        {1000, {3, 5}, {{NavigateForward, {2, 4}}}},
        {1000, {996, 998}, {{NavigateBack, {997, 999}}}}, // clamped, the span kept
        {1000, {0, 50}, {{ZoomIn, {25, 26}}}},
        // Zoom step 0: acts (repaints) without changing the window.
        {30, {5, 20}, {{ZoomIn, {5, 20}}, {ZoomOut, {5, 20}}, {ShowAll, {0, 29}}}},
    };
    for (const auto& c : cases) {
        ViewState s = Loaded(c.records, c.start.first, c.start.second);
        for (const auto& [command, after] : c.steps) {
            SCOPED_TRACE(testing::Message() << c.records << " from " << Window(s).first);
            EXPECT_TRUE(command(s));
            EXPECT_EQ(Window(s), after);
        }
    }

    // Enabled as 0/1: Back, Forward, Zoom in, Zoom out (Show all shares Zoom out's rule).
    const auto enabled = [](const ViewState& state) {
        std::string flags;
        for (bool on : {BackEnabled(state), ForwardEnabled(state), ZoomInEnabled(state),
                        ZoomOutEnabled(state)})
            flags += on ? '1' : '0';
        return flags;
    };
    EXPECT_EQ(enabled(ViewState()), "0000");
    EXPECT_EQ(enabled(Loaded(1000, 0, 999)), "0010");
    EXPECT_EQ(enabled(Loaded(1000, 0, 2)), "1011");
    EXPECT_EQ(enabled(Loaded(1000, 1, 999)), "0111");
    EXPECT_EQ(enabled(Loaded(1000, 25, 26)), "1101");
    ViewState loading = Loaded(1000, 10, 11);
    loading.loading = true;
    EXPECT_EQ(enabled(loading), "1101");

    // The common guard: nothing without a data set or a ticked channel.
    ViewState s = Loaded(1000, 100, 200);
    s.visible.Clear();
    for (Command command : {NavigateBack, NavigateForward, ZoomIn, ZoomOut, ShowAll})
        EXPECT_FALSE(command(s));
    EXPECT_EQ(Window(s), W(100, 200));
}

TEST(NavigationTest, EveryCommandKeepsTheWindowValid) {
    std::mt19937 random(7);
    const Command commands[] = {NavigateBack, NavigateForward, ZoomIn, ZoomOut, ShowAll};
    for (std::uint32_t records : {2u, 3u, 7u, 41u, 1000u, 123457u}) {
        ViewState s = Loaded(records, 0, records - 1);
        for (int n = 0; n < 400; ++n) {
            const unsigned pick = random() % 6;
            if (pick < 5) {
                commands[pick](s);
            } else {
                BeginDrag(s, static_cast<int>(random() % 1200) - 100, 100 + random() % 800);
                EndDrag(s, static_cast<int>(random() % 1200) - 100, 100 + random() % 800);
            }
            ASSERT_LT(s.firstRecord, s.lastRecord) << records;
            ASSERT_LE(s.lastRecord, records - 1) << records;
        }
    }
}

TEST(NavigationTest, DragSelectsTheRecordsUnderTheBand) {
    // Chart area 700 wide: frame x 60 .. 640, window 0 .. 580 (one record per pixel).
    const struct {
        int from, to;
        W start, selected;
    } drags[] = {
        {100, 300, {0, 580}, {40, 240}},    {300, 100, {0, 580}, {40, 240}},
        {100, 110, {0, 580}, {0, 580}},     {100, 111, {0, 580}, {40, 51}},
        {100, 5000, {0, 580}, {40, 580}}, // released beyond the right margin
        {-50, 300, {0, 580}, {0, 240}},   // pressed in the left margin: x = 60
        {620, 640, {998, 999}, {998, 999}},
    };
    for (const auto& d : drags) {
        SCOPED_TRACE(testing::Message() << d.from << " to " << d.to);
        ViewState s = Loaded(1000, d.start.first, d.start.second);
        EXPECT_TRUE(BeginDrag(s, d.from, 700));
        TrackCursor(s, (d.from + d.to) / 2, 300, 700);
        EXPECT_TRUE(s.dragInProgress);
        EndDrag(s, d.to, 700);
        EXPECT_FALSE(s.dragInProgress);
        EXPECT_EQ(Window(s), d.selected);
    }

    // A press during a drag is ignored; moves clamp the end while dragging only.
    ViewState s = Loaded(1000, 0, 580);
    TrackCursor(s, 5, 7, 700);
    EXPECT_EQ(s.dragEndX, 5);
    BeginDrag(s, 200, 700);
    EXPECT_FALSE(BeginDrag(s, 400, 700));
    EXPECT_EQ(s.dragStartX, 200);
    TrackCursor(s, 900, 7, 700);
    EXPECT_EQ(s.dragEndX, 640);

    // A release with no drag started since a Clear (start x 0): clamped to x = 60.
    s = Loaded(1000, 0, 580);
    s.dragStartX = 0;
    EndDrag(s, 300, 700);
    EXPECT_EQ(Window(s), W(0, 240));
    // A window shrunk during the drag: the old start is clamped into the new frame.
    s = Loaded(1000, 0, 580);
    BeginDrag(s, 600, 700);
    EndDrag(s, 100, 400);             // frame now 60 .. 340
    EXPECT_EQ(Window(s), W(82, 580)); // 40 px at 580 / 280 records per pixel
    // Nothing shown: the band ends, the window stays.
    s.visible.Clear();
    BeginDrag(s, 100, 700);
    EndDrag(s, 300, 700);
    EXPECT_FALSE(s.dragInProgress);
    EXPECT_EQ(s.dragEndX, 300);
    EXPECT_EQ(Window(s), W(82, 580));
}

TEST(NavigationTest, WheelZoomsAroundThePointer) {
    // Chart area 700 wide: frame x 60 .. 640, 580 pixels; 1000 records, zoom step 25.
    const struct {
        W start;
        int notches, x;
        W after;
    } wheels[] = {
        {{0, 999}, 1, 350, {25, 974}},    // at the middle: as Zoom in
        {{0, 999}, 1, 60, {0, 949}},      // at the left edge the first record stays put
        {{0, 999}, 1, 640, {50, 999}},    // at the right edge the last
        {{0, 999}, 1, 5, {0, 949}},       // in the left margin: as at the frame's edge
        {{100, 200}, -1, 60, {100, 250}}, // widening keeps the record under the pointer
        {{100, 200}, -1, 640, {50, 200}},
        {{10, 200}, -1, 640, {0, 240}}, // pushed aside by the first record
        {{0, 999}, 3, 350, {75, 924}},  // three notches, three steps
        {{0, 50}, 1, 640, {49, 50}},    // the narrowest window, at the pointer
        {{10, 11}, 1, 350, {10, 11}},   // Zoom in disabled: nothing
        {{0, 999}, -1, 350, {0, 999}},  // Zoom out disabled: nothing
    };
    for (const auto& w : wheels) {
        SCOPED_TRACE(testing::Message() << w.start.first << ".." << w.start.second << " x " << w.x
                                        << " notches " << w.notches);
        ViewState s = Loaded(1000, w.start.first, w.start.second);
        const W before = Window(s);
        const bool acted = WheelZoom(s, w.notches, w.x, 700);
        EXPECT_EQ(acted, w.after != before);
        EXPECT_EQ(Window(s), w.after);
    }
    ViewState s = Loaded(1000, 100, 200);
    s.visible.Clear(); // not ready
    EXPECT_FALSE(WheelZoom(s, 1, 350, 700));
    EXPECT_EQ(Window(s), W(100, 200));
    s = Loaded(30, 5, 20); // zoom step 0: acts without changing the window, as the keys do
    EXPECT_TRUE(WheelZoom(s, 1, 350, 700));
    EXPECT_EQ(Window(s), W(5, 20));
}

TEST(NavigationTest, WheelKeepsThePointerRecordAndTheKeysWidthChange) {
    std::mt19937 random(11);
    for (std::uint32_t records : {2u, 3u, 41u, 1000u, 123457u}) {
        ViewState s = Loaded(records, 0, records - 1);
        for (int n = 0; n < 300; ++n) {
            const int chartWidth = 121 + static_cast<int>(random() % 900);
            const int x = static_cast<int>(random() % (chartWidth + 100)) - 50;
            const bool in = random() % 2 == 0;
            const std::uint32_t f = s.firstRecord, l = s.lastRecord, z = s.zoomStep;
            const bool enabled = in ? ZoomInEnabled(s) : ZoomOutEnabled(s);

            // The key command's window, then back to where we were.
            (in ? ZoomIn : ZoomOut)(s);
            const W byKey = Window(s);
            s.firstRecord = f;
            s.lastRecord = l;

            ChartArea area;
            area.width = chartWidth;
            const int frameX = area.ClampToFrameX(x);
            const std::uint32_t under = RecordAtX(frameX, f, l - f, chartWidth);
            const bool acted = WheelZoom(s, in ? 1 : -1, x, chartWidth);
            SCOPED_TRACE(testing::Message()
                         << records << " records, " << f << ".." << l << (in ? " in" : " out")
                         << " at " << x << " of " << chartWidth);
            ASSERT_EQ(acted, enabled);
            ASSERT_LT(s.firstRecord, s.lastRecord);
            ASSERT_LE(s.lastRecord, records - 1);
            if (!acted) {
                ASSERT_EQ(Window(s), W(f, l));
                s = Loaded(records, 0, records - 1); // start over
                continue;
            }
            const std::uint32_t span = s.lastRecord - s.firstRecord;
            const std::uint32_t keySpan = byKey.second - byKey.first;
            if (in || (f >= z && std::uint64_t{l} + z <= records - 1))
                ASSERT_EQ(span, keySpan); // the key zoom was not clamped: the same width
            else
                ASSERT_GE(span, keySpan);
            if (s.firstRecord > 0 && s.lastRecord < records - 1) {
                const std::uint32_t now = RecordAtX(frameX, s.firstRecord, span, chartWidth);
                ASSERT_LE(std::abs(static_cast<long long>(now) - under), 1);
            }
        }
    }
}

TEST(NavigationTest, WheelNotchesAddUpPartsAndDropThemOnATurn) {
    WheelNotches notches;
    const std::pair<int, int> deltas[] = {{120, 1}, {240, 2}, {60, 0},    {59, 0},
                                          {1, 1},   {-30, 0}, {-90, -1},  {-119, 0},
                                          {120, 1}, {0, 0},   {-360, -3}, {2147483647, 17895697}};
    for (const auto& [delta, whole] : deltas)
        EXPECT_EQ(notches.Add(delta), whole) << delta;
}

} // namespace
} // namespace kurvon
