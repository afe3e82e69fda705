#pragma once
// Hand-made view states for the chart tests.

#include "chart/ViewState.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kurvon {

// A loaded state with `records` records; channel c's value in record r is value(c, r) and its
// stored extremes are minimum .. maximum (as the loader leaves them: already widened).
struct TestChannel {
    std::string name;
    ColorRef color = 0;
    float minimum = 0.0f;
    float maximum = 10.0f;
    std::function<float(std::uint32_t)> value = [](std::uint32_t) { return 5.0f; };
};

inline ViewState MakeLoadedState(std::uint32_t records, const std::vector<TestChannel>& channels) {
    ViewState state;
    DataSet& d = state.data;
    d.recordCount = records;
    d.channelCount = static_cast<std::uint32_t>(channels.size());
    for (const TestChannel& c : channels) {
        std::vector<float> column(records);
        for (std::uint32_t r = 0; r < records; ++r)
            column[r] = c.value(r);
        d.columns.push_back(std::move(column));
        d.colors.push_back(c.color);
        d.names.push_back(c.name);
        d.minima.push_back(c.minimum);
        d.maxima.push_back(c.maximum);
    }
    state.firstRecord = 0;
    state.lastRecord = records - 1;
    state.zoomStep = records / 40;
    state.dataLoaded = true;
    return state;
}

} // namespace kurvon
