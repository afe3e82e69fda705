// The visible-channel list and what release and Clear do to the model.

#include "chart/ViewState.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

TEST(Model, VisibleChannelList) {
    VisibleChannelList list;
    for (int i = 0; i < 42; ++i)
        list.Append(i);
    EXPECT_EQ(list.Size(), 42);
    EXPECT_EQ(list.At(17), 17);
    EXPECT_EQ(list.Primary(), 41);

    // Growing past the storage at once, and shrinking then growing zeroes the new slots.
    VisibleChannelList grown;
    for (int size : {3, 10, 11})
        grown.SetSize(size);
    grown.Append(7);
    EXPECT_EQ(grown.At(11), 7);
    grown.SetSize(1);
    grown.SetSize(12);
    EXPECT_EQ(grown.At(11), 0);

    // Removing keeps the order; a copy outlives a Clear of the original.
    list.Clear();
    for (int c : {3, 0, 5})
        list.Append(c);
    list.RemoveAt(0);
    ASSERT_EQ(list.Size(), 2);
    EXPECT_EQ(list.Secondary(), 0);
    EXPECT_EQ(list.Primary(), 5);
    EXPECT_EQ(list.IndexOf(5), 1);
    EXPECT_EQ(list.IndexOf(3), -1);
    VisibleChannelList copy = list;
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(copy.Size(), 2);
    EXPECT_EQ(copy.Primary(), 5);
}

TEST(Model, ReleaseAndClear) {
    ViewState state;
    ReleaseDataSet(state); // nothing loaded yet: nothing happens
    EXPECT_TRUE(state.data.columns.empty() && state.data.names.empty() &&
                state.data.colors.empty());
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
    EXPECT_TRUE(state.data.columns.empty() && state.data.names.empty() &&
                state.data.colors.empty());
    EXPECT_TRUE(state.data.maxima.empty());
    EXPECT_TRUE(state.visible.Empty());
    EXPECT_TRUE(state.dataLoaded); // flags and view window are the caller's
    EXPECT_EQ(state.lastRecord, 1u);
    EXPECT_EQ(state.zoomStep, 7u);
}

} // namespace
} // namespace kurvon
