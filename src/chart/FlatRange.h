#pragma once
// The flat-range widening of the primary channel: a primary whose maximum equals its minimum is
// shown over record 0's value +-1. The renderer maps the primary this way itself and never
// writes the data set; WidenFlatPrimary stores the same widening, for callers that want the
// model to hold what the paint shows (it applies exactly when a paint would draw curves).

#include "chart/ViewState.h"

#include <utility>

namespace kurvon {

// Maximum and minimum a channel is shown over (the stored pair unless widened as above).
// Needs a data set of at least one record when `primary`.
std::pair<float, float> DisplayRange(const DataSet& data, int channel, bool primary);

void WidenFlatPrimary(ViewState& state, int clientWidth, int clientHeight);

} // namespace kurvon
