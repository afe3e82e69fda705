#pragma once
// The 500 ms poll that brings the visible-channel list in step with the channel list's check
// boxes: channels newly ticked are appended in ascending index, unticked ones removed with the
// order of the rest kept. Returns whether the list changed (the chart is then repainted).
// Does nothing while a load runs: the rows then belong to the previous file.

#include "chart/ViewState.h"

#include <functional>

namespace kurvon {

// isTicked(i) tells whether row i is ticked; a channel without a row counts as unticked.
bool PollCheckBoxes(ViewState& state, const std::function<bool(int)>& isTicked);

} // namespace kurvon
