#include "chart/Navigation.h"
#include "chart/CheckBoxPoll.h"
#include "chart/CommandEnabling.h"
#include "chart/DragSelection.h"

#include "ChartTestData.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

namespace kurvon {
namespace {

ViewState Loaded(std::uint32_t records, std::uint32_t first, std::uint32_t last) {
    ViewState state = MakeLoadedState(records, {{"a"}, {"b"}, {"c"}, {"d"}});
    state.visible.Append(0);
    state.firstRecord = first;
    state.lastRecord = last;
    return state;
}

std::pair<std::uint32_t, std::uint32_t> Window(const ViewState& s) {
    return {s.firstRecord, s.lastRecord};
}
using W = std::pair<std::uint32_t, std::uint32_t>;

TEST(NavigationTest, PanStepFollowsTheSpanBands) {
    EXPECT_EQ(PanStep(0, 1), 1u);
    EXPECT_EQ(PanStep(0, 5), 2u);
    EXPECT_EQ(PanStep(0, 6), 1u);
    EXPECT_EQ(PanStep(0, 15), 3u);
    EXPECT_EQ(PanStep(0, 16), 1u);
    EXPECT_EQ(PanStep(0, 29), 1u);
    EXPECT_EQ(PanStep(0, 30), 2u);
    EXPECT_EQ(PanStep(0, 999), 66u);
}

TEST(NavigationTest, ZoomPanAndShowAllSequences) {
    ViewState s = Loaded(1000, 0, 999);
    ASSERT_EQ(s.zoomStep, 25u);
    EXPECT_FALSE(EnabledCommands(s).back);
    EXPECT_TRUE(ZoomIn(s));
    EXPECT_EQ(Window(s), W(25, 974));
    EXPECT_TRUE(ZoomOut(s));
    EXPECT_EQ(Window(s), W(0, 999));
    EXPECT_TRUE(NavigateBack(s)); // disabled there, yet harmless: +66 and clamped back
    EXPECT_EQ(Window(s), W(0, 999));

    s = Loaded(1000, 100, 200);
    NavigateBack(s);
    EXPECT_EQ(Window(s), W(106, 206));
    s = Loaded(1000, 100, 200);
    NavigateForward(s);
    EXPECT_EQ(Window(s), W(94, 194));

    s = Loaded(1000, 3, 5);
    NavigateForward(s);
    EXPECT_EQ(Window(s), W(2, 4));
    s = Loaded(1000, 0, 2);
    EXPECT_FALSE(EnabledCommands(s).forward);
    s = Loaded(1000, 996, 998);
    NavigateBack(s);
    EXPECT_EQ(Window(s), W(997, 999)); // clamped to the end with the span kept

    s = Loaded(1000, 0, 50);
    ZoomIn(s);
    EXPECT_EQ(Window(s), W(25, 26));
    EXPECT_FALSE(EnabledCommands(s).zoomIn);
    s = Loaded(1000, 10, 11);
    EXPECT_FALSE(EnabledCommands(s).zoomIn);

    s = Loaded(30, 5, 20);
    ASSERT_EQ(s.zoomStep, 0u);
    EXPECT_TRUE(ZoomIn(s)); // acts (repaints) without changing the window
    EXPECT_EQ(Window(s), W(5, 20));
    EXPECT_TRUE(ZoomOut(s));
    EXPECT_EQ(Window(s), W(5, 20));
    EXPECT_TRUE(ShowAll(s));
    EXPECT_EQ(Window(s), W(0, 29));

    // The common guard: nothing without a data set or a ticked channel.
    s = Loaded(1000, 100, 200);
    s.visible.Clear();
    EXPECT_FALSE(NavigateBack(s) || NavigateForward(s) || ZoomIn(s) || ZoomOut(s) || ShowAll(s));
    EXPECT_EQ(Window(s), W(100, 200));
}

TEST(NavigationTest, EveryCommandKeepsTheWindowValid) {
    std::mt19937 random(7);
    for (std::uint32_t records : {2u, 3u, 7u, 41u, 1000u, 123457u}) {
        ViewState s = Loaded(records, 0, records - 1);
        for (int n = 0; n < 400; ++n) {
            switch (random() % 6) {
            case 0:
                NavigateBack(s);
                break;
            case 1:
                NavigateForward(s);
                break;
            case 2:
                ZoomIn(s);
                break;
            case 3:
                ZoomOut(s);
                break;
            case 4:
                ShowAll(s);
                break;
            default: {
                const int w = 100 + static_cast<int>(random() % 800);
                BeginDrag(s, static_cast<int>(random() % 1200) - 100, w);
                EndDrag(s, static_cast<int>(random() % 1200) - 100, 100 + random() % 800);
            }
            }
            ASSERT_LT(s.firstRecord, s.lastRecord) << records;
            ASSERT_LE(s.lastRecord, records - 1) << records;
        }
    }
}

TEST(NavigationTest, CommandEnablingRules) {
    ViewState s;
    CommandEnabling e = EnabledCommands(s);
    EXPECT_TRUE(e.open);
    EXPECT_FALSE(e.dataPoints || e.clear || e.savePicture || e.back || e.forward || e.zoomIn ||
                 e.zoomOut || e.showAll);
    s.loading = true;
    EXPECT_FALSE(EnabledCommands(s).open);

    s = Loaded(1000, 0, 999);
    s.visible.Clear();
    e = EnabledCommands(s);
    EXPECT_TRUE(e.clear);
    EXPECT_FALSE(e.savePicture || e.back || e.zoomIn);
    s.visible.Append(2);
    e = EnabledCommands(s);
    EXPECT_TRUE(e.savePicture && e.zoomIn && !e.back && !e.forward && !e.zoomOut && !e.showAll);
    EXPECT_FALSE(e.dataPoints);
    s.firstRecord = 1;
    e = EnabledCommands(s);
    EXPECT_TRUE(e.forward && e.zoomOut && e.showAll && !e.back);
    s.lastRecord = 998;
    EXPECT_TRUE(EnabledCommands(s).back);
}

TEST(NavigationTest, DragSelectsTheRecordsUnderTheBand) {
    // Chart area 700 wide: frame x 60 .. 640, window 0 .. 580 (one record per pixel).
    auto drag = [](int from, int to, std::uint32_t first = 0, std::uint32_t last = 580) {
        ViewState s = Loaded(1000, first, last);
        EXPECT_TRUE(BeginDrag(s, from, 700));
        TrackCursor(s, (from + to) / 2, 300, 700);
        EXPECT_TRUE(s.dragInProgress);
        EndDrag(s, to, 700);
        EXPECT_FALSE(s.dragInProgress);
        return Window(s);
    };
    EXPECT_EQ(drag(100, 300), W(40, 240));
    EXPECT_EQ(drag(300, 100), W(40, 240));
    EXPECT_EQ(drag(100, 110), W(0, 580));
    EXPECT_EQ(drag(100, 111), W(40, 51));
    EXPECT_EQ(drag(100, 5000), W(40, 580)); // released beyond the right margin
    EXPECT_EQ(drag(-50, 300), W(0, 240));   // pressed in the left margin: x = 60
    EXPECT_EQ(drag(620, 640, 998, 999), W(998, 999));

    // A press during a drag is ignored; moves clamp the end while dragging only.
    ViewState s = Loaded(1000, 0, 580);
    TrackCursor(s, 5, 7, 700);
    EXPECT_EQ(s.dragEndX, 5);
    EXPECT_EQ(s.cursorX, 5);
    EXPECT_EQ(s.cursorY, 7);
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
    s = Loaded(1000, 0, 580);
    s.visible.Clear();
    BeginDrag(s, 100, 700);
    EndDrag(s, 300, 700);
    EXPECT_FALSE(s.dragInProgress);
    EXPECT_EQ(s.dragEndX, 300);
    EXPECT_EQ(Window(s), W(0, 580));
}

TEST(NavigationTest, PollKeepsTheTickOrder) {
    ViewState s = Loaded(100, 0, 99);
    s.visible.Clear();
    std::vector<bool> ticked(4, false);
    EXPECT_FALSE(PollCheckBoxes(s, ticked));
    ticked[3] = true;
    EXPECT_TRUE(PollCheckBoxes(s, ticked));
    ticked[1] = true;
    EXPECT_TRUE(PollCheckBoxes(s, ticked));
    ASSERT_EQ(s.visible.Size(), 2);
    EXPECT_EQ(s.visible.At(0), 3);
    EXPECT_EQ(s.visible.Primary(), 1);
    EXPECT_FALSE(PollCheckBoxes(s, ticked));

    ticked[1] = false; // unticking the primary makes the previous entry primary
    EXPECT_TRUE(PollCheckBoxes(s, ticked));
    EXPECT_EQ(s.visible.Size(), 1);
    EXPECT_EQ(s.visible.Primary(), 3);

    s.visible.Clear();
    ticked = {false, true, false, true}; // ticked within one period: ascending order
    PollCheckBoxes(s, ticked);
    EXPECT_EQ(s.visible.At(0), 1);
    EXPECT_EQ(s.visible.Primary(), 3);

    // Rows missing from the list count as unticked; nothing happens while loading.
    EXPECT_TRUE(PollCheckBoxes(s, std::vector<bool>{false, true}));
    EXPECT_EQ(s.visible.Size(), 1);
    s.loading = true;
    EXPECT_FALSE(PollCheckBoxes(s, std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(s.visible.Size(), 1);
    s.loading = false;
    s.data.channelCount = 0;
    EXPECT_FALSE(PollCheckBoxes(s, [](int) { return true; }));
}

} // namespace
} // namespace kurvon
