// The visible-channel list's growth rule and what release and Clear do to the model.

#include "data/ViewState.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

TEST(Model, VisibleChannelListGrowth) {
    VisibleChannelList list;
    std::vector<int> capacities;
    for (int i = 0; i < 42; ++i) {
        list.Append(i);
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    std::vector<int> expected;
    for (int c = 1; c <= 41; c += 4)
        expected.push_back(c);
    expected.push_back(46);
    EXPECT_EQ(capacities, expected);
    EXPECT_EQ(list.Size(), 42);
    EXPECT_EQ(list.Primary(), 41);

    // Growing past the capacity at once, and shrinking then growing zeroes the new slots.
    VisibleChannelList grown;
    grown.SetSize(3);
    EXPECT_EQ(grown.Capacity(), 3);
    grown.SetSize(10);
    EXPECT_EQ(grown.Capacity(), 10);
    grown.SetSize(11);
    EXPECT_EQ(grown.Capacity(), 14);
    grown.Append(7);
    grown.SetSize(1);
    grown.SetSize(12);
    EXPECT_EQ(grown.At(11), 0);
    EXPECT_EQ(grown.Capacity(), 14);
}

TEST(Model, VisibleChannelListRemoveAndCopy) {
    VisibleChannelList list;
    for (int c : {3, 0, 5})
        list.Append(c);
    list.RemoveAt(0);
    ASSERT_EQ(list.Size(), 2);
    EXPECT_EQ(list.At(0), 0);
    EXPECT_EQ(list.Primary(), 5);
    EXPECT_EQ(list.Secondary(), 0);
    EXPECT_EQ(list.Capacity(), 5); // storage stays
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
    ReleaseDataSet(state);
    EXPECT_FALSE(state.data.Present());

    state.data.recordCount = 2;
    state.data.channelCount = 1;
    state.data.columns = {{1.0f, 2.0f}};
    state.data.colors = {0x123456};
    state.data.names = {"v"};
    state.data.maxima = {3.0f};
    state.data.minima = {0.0f};
    state.visible.Append(0);
    state.dataLoaded = true;
    state.firstRecord = 0;
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
