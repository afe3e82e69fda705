#pragma once
// What of the view state a paint can draw: the visible entries that name a complete channel,
// and whether the view window lies inside the data set. Bad entries are skipped, so a paint can
// never read past the arrays.

#include "chart/ViewState.h"

#include <vector>

namespace kurvon {

// A channel of the data set with all its parts present.
bool ChannelUsable(const DataSet& data, int channel);

// The drawable visible channels in list order, the last one primary.
std::vector<int> UsableVisibleChannels(const ViewState& state);

// first < last < record count, with at least 2 records.
bool WindowUsable(const ViewState& state);

} // namespace kurvon
