#pragma once
// The in-memory content of one loaded data file, owned by the view once a load completes.

#include "data/ChannelSummary.h"
#include "data/Column.h"
#include "platform/NameEncoding.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kurvon {

// 0x00BBGGRR, red in the low byte.
using ColorRef = std::uint32_t;

constexpr ColorRef MakeColorRef(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr unsigned RedOf(ColorRef c) {
    return c & 0xFF;
}
constexpr unsigned GreenOf(ColorRef c) {
    return (c >> 8) & 0xFF;
}
constexpr unsigned BlueOf(ColorRef c) {
    return (c >> 16) & 0xFF;
}

struct DataSet {
    std::uint32_t recordCount = 0;
    std::uint32_t channelCount = 0;

    // One contiguous array per channel: columns[c][r] is channel c in record r. A column grows
    // in place when a followed file gets new records.
    std::vector<Column> columns;
    std::vector<ColorRef> colors;
    std::vector<std::string> names; // raw bytes of the names line (GBK or UTF-8)
    // Each channel's true extremes (over the records as read); the chart widens them for
    // display where it maps values.
    std::vector<float> maxima;
    std::vector<float> minima;
    // One min/max pyramid per channel, built by the loader; the chart bounds each pixel
    // column's records with it.
    std::vector<ChannelSummary> summaries;
    // How the names are decoded, decided once for the whole names line.
    TextEncoding nameEncoding = TextEncoding::Utf8;

    float Value(std::uint32_t channel, std::uint32_t record) const {
        return columns[channel][record];
    }
    const float* Channel(std::uint32_t channel) const { return columns[channel].data(); }
};

// Builds every channel's summary (the loader does this per channel as it goes).
void BuildSummaries(DataSet& data);

} // namespace kurvon
