#pragma once
// For the chart targets: data sets whose channels are clocks (each record one step on) or any
// mix of small values, slow rises, flat stretches and any float at all, with extremes true or
// arbitrary, a visible list and an x channel that may name no channel; and pixel comparison.

#include "chart/ViewState.h"
#include "platform/RasterSurface.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cstdint>

namespace kurvon {

inline float ConsumeChartValue(FuzzedDataProvider& in, float previous) {
    const std::uint8_t kind = in.ConsumeIntegral<std::uint8_t>();
    if (kind < 160)
        return static_cast<float>(static_cast<std::int8_t>(kind * 7)) / 4.0f;
    if (kind < 200) // rising by a little
        return previous + static_cast<float>(kind - 160) / 8.0f;
    if (kind < 230) // anything a float can hold: huge, tiny, infinite, NaN
        return std::bit_cast<float>(in.ConsumeIntegral<std::uint32_t>());
    return previous; // flat stretches
}

// Channel c's colour, name and extremes: the extremes as a load leaves them, or any two values
// (flat, inverted, infinite) drawn by value(previous).
template <class Value>
void ConsumeChannelParts(FuzzedDataProvider& in, DataSet& d, std::uint32_t c, Value value) {
    d.colors.push_back(in.ConsumeIntegral<std::uint32_t>() & 0xFFFFFF);
    d.names.push_back(in.ConsumeBytesAsString(in.ConsumeIntegralInRange(0, 6)));
    if (in.ConsumeBool() && d.recordCount > 0) {
        const auto [lo, hi] = std::minmax_element(d.columns[c].begin(), d.columns[c].end());
        d.minima.push_back(*lo);
        d.maxima.push_back(*hi);
    } else {
        d.minima.push_back(value(0.0f));
        d.maxima.push_back(value(0.0f));
    }
}

// The data set, the visible list and the x channel; summaries still to be built.
inline void ConsumeChartData(FuzzedDataProvider& in, ViewState& state, std::uint32_t maxRecords) {
    DataSet& d = state.data;
    d.recordCount = in.ConsumeIntegralInRange<std::uint32_t>(0, maxRecords);
    d.channelCount = in.ConsumeIntegralInRange<std::uint32_t>(1, 4);
    d.columns.assign(d.channelCount, std::vector<float>(d.recordCount));
    for (std::uint32_t c = 0; c < d.channelCount; ++c) {
        const bool ramp = in.ConsumeBool(); // a clock: each record one step on
        float value = 0.0f;
        for (std::uint32_t r = 0; r < d.recordCount; ++r)
            d.columns[c][r] = value = ramp ? static_cast<float>(r) : ConsumeChartValue(in, value);
        ConsumeChannelParts(in, d, c,
                            [&in](float previous) { return ConsumeChartValue(in, previous); });
    }
    for (int n = in.ConsumeIntegralInRange(1, 5); n > 0; --n)
        state.visible.Append(in.ConsumeIntegralInRange<int>(-1, static_cast<int>(d.channelCount)));
    state.xChannel = in.ConsumeIntegralInRange<int>(-1, static_cast<int>(d.channelCount));
}

inline bool SamePixels(RasterSurface& a, RasterSurface& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() && a.View() == b.View();
}

} // namespace kurvon
