#include "app/CheckBoxPoll.h"

#include <climits>

namespace kurvon {

bool PollCheckBoxes(ViewState& state, const std::function<bool(int)>& isTicked) {
    if (state.loading || state.data.channelCount == 0)
        return false;
    const int count =
        state.data.channelCount > INT_MAX ? INT_MAX : static_cast<int>(state.data.channelCount);
    bool changed = false;
    for (int i = 0; i < count; ++i) {
        const bool ticked = isTicked(i);
        const int position = state.visible.IndexOf(i);
        if (ticked && position < 0) {
            state.visible.Append(i);
            changed = true;
        } else if (!ticked && position >= 0) {
            state.visible.RemoveAt(position);
            changed = true;
        }
    }
    return changed;
}

} // namespace kurvon
