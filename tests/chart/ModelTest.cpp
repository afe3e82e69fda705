// The visible-channel list's growth rule and what release and Clear do to the model.

#include "chart/ViewState.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

TEST(Model, VisibleChannelList) {
    VisibleChannelList list;
    std::vector<int> capacities, expected = {1, 5, 9, 13, 17, 21, 25, 29, 33, 37, 41, 46};
    for (int i = 0; i < 42; ++i) {
        list.Append(i);
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, expected);
    EXPECT_EQ(list.Size(), 42);
    EXPECT_EQ(list.Primary(), 41);

    // Growing past the capacity at once, and shrinking then growing zeroes the new slots.
    VisibleChannelList grown;
    for (const auto& [size, capacity] : {std::pair{3, 3}, {10, 10}, {11, 14}}) {
        grown.SetSize(size);
        EXPECT_EQ(grown.Capacity(), capacity) << size;
    }
    grown.Append(7);
    grown.SetSize(1);
    grown.SetSize(12);
    EXPECT_EQ(grown.At(11), 0);
    EXPECT_EQ(grown.Capacity(), 14);

    // Removing keeps the storage and the order; a copy outlives a Clear of the original.
    list.Clear();
    for (int c : {3, 0, 5})
        list.Append(c);
    list.RemoveAt(0);
    ASSERT_EQ(list.Size(), 2);
    EXPECT_EQ(list.Secondary(), 0);
    EXPECT_EQ(list.Primary(), 5);
    EXPECT_EQ(list.Capacity(), 5);
    EXPECT_EQ(list.IndexOf(5), 1);
    EXPECT_FALSE(list.Contains(3));
    VisibleChannelList copy = list;
    list.Clear();
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(copy.Size(), 2);
    EXPECT_EQ(copy.Primary(), 5);
}

TEST(Model, ReleaseAndClear) {
    ViewState state;
    ReleaseDataSet(state); // nothing loaded yet: nothing happens
    EXPECT_FALSE(state.data.Present());
    state.data = DataSet{2, 1, {{1.0f, 2.0f}}, {0x123456}, {"v"}, {3.0f}, {0.0f}, {}};
    state.visible.Append(0);
    state.dataLoaded = true;
    state.lastRecord = 1;
    state.zoomStep = 7;
    state.dragStartX = 5;
    state.dragEndX = 9;

    ViewState cleared = state;
    ClearModel(cleared);
    EXPECT_TRUE(cleared.visible.Empty());
    EXPECT_FALSE(cleared.dataLoaded);
    EXPECT_EQ(cleared.lastRecord, 0u);
    EXPECT_EQ(cleared.dragStartX, 0);
    EXPECT_EQ(cleared.dragEndX, 0);
    EXPECT_EQ(cleared.zoomStep, 7u);
    EXPECT_EQ(cleared.data.colors, std::vector<ColorRef>{0x123456});
    EXPECT_EQ(cleared.data.recordCount, 2u);

    ReleaseDataSet(state);
    EXPECT_FALSE(state.data.Present());
    EXPECT_TRUE(state.data.maxima.empty());
    EXPECT_EQ(state.visible.Capacity(), 0);
    EXPECT_TRUE(state.dataLoaded); // flags and view window are the caller's
    EXPECT_EQ(state.lastRecord, 1u);
    EXPECT_EQ(state.zoomStep, 7u);
}

} // namespace
} // namespace kurvon
