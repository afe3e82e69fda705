#include "app/CheckBoxPoll.h"

#include <gtest/gtest.h>

#include <vector>

namespace kurvon {
namespace {

TEST(CheckBoxPoll, KeepsTheTickOrder) {
    ViewState s;
    s.data.channelCount = 4;
    s.dataLoaded = true;
    auto poll = [&s](std::vector<bool> ticked, bool changed, std::vector<int> visible) {
        const bool polled = PollCheckBoxes(s, [&ticked](int row) {
            return static_cast<std::size_t>(row) < ticked.size() && ticked[row];
        });
        EXPECT_EQ(polled, changed);
        std::vector<int> order;
        for (int i = 0; i < s.visible.Size(); ++i)
            order.push_back(s.visible.At(i));
        EXPECT_EQ(order, visible);
    };
    poll({0, 0, 0, 0}, false, {});
    poll({0, 0, 0, 1}, true, {3});
    poll({0, 1, 0, 1}, true, {3, 1}); // the latest tick is primary
    poll({0, 1, 0, 1}, false, {3, 1});
    poll({0, 0, 0, 1}, true, {3}); // unticking the primary makes the previous one primary
    s.visible.Clear();
    poll({0, 1, 0, 1}, true, {1, 3}); // ticked within one period: ascending order
    // Rows missing from the list count as unticked; nothing happens while loading.
    poll({0, 1}, true, {1});
    s.loading = true;
    poll({1, 1, 1, 1}, false, {1});
    s.loading = false;
    s.data.channelCount = 0;
    poll({1, 1, 1, 1}, false, {1});
}

} // namespace
} // namespace kurvon
