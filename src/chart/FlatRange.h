#pragma once
// The range a channel is shown over. The data set keeps each channel's true minimum and maximum;
// the chart widens them by 1 on both sides when it maps values, and a primary whose widened
// range is still flat (values so large that adding 1 changes nothing) is shown over record 0's
// value +-1. Nothing is written back to the data set.

#include "data/DataSet.h"

#include <utility>

namespace kurvon {

// Maximum and minimum a channel is shown over. Needs a data set of at least one record when
// `primary`.
std::pair<float, float> DisplayRange(const DataSet& data, int channel, bool primary);

} // namespace kurvon
