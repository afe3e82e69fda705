#include "chart/ChartLayout.h"

#include "data/NumberFormat.h"

#include <cmath>

namespace kurvon {
namespace {

float StepFor(std::int64_t k, float xScale) {
    return static_cast<float>(static_cast<double>(k) * static_cast<double>(xScale));
}

bool StopsSearch(int width, std::int64_t k, float xScale) {
    const double quotient = static_cast<double>(PlotWidth(width)) / StepFor(k, xScale);
    return !(quotient > 6.0); // <= 6, or not a number
}

} // namespace

TickSpacing FindTickSpacing(int width, float xScale) {
    TickSpacing spacing{10, StepFor(10, xScale)};
    if (PlotWidth(width) <= 0 || !(xScale > 0.0f) || !std::isfinite(xScale))
        return spacing; // no labels are drawn then
    // The quotient never grows with k, so the first k that stops the walk over 10, 20, 30, ...
    // is found by doubling and then halving the interval.
    std::int64_t high = 1; // in tens of records
    while (!StopsSearch(width, high * 10, xScale))
        high *= 2;
    std::int64_t low = high / 2; // does not stop (or 0)
    while (high - low > 1) {
        const std::int64_t mid = low + (high - low) / 2;
        if (StopsSearch(width, mid * 10, xScale))
            high = mid;
        else
            low = mid;
    }
    spacing.records = high * 10;
    spacing.step = StepFor(spacing.records, xScale);
    return spacing;
}

std::int64_t RecordLabelValue(double record) {
    // Kept in 64 bits: equal to the 32-bit unsigned form wherever that does not wrap, and right
    // beyond it.
    double scaled = record * -10.0;
    if (!(scaled <= 0.0))
        scaled = 0.0;
    if (scaled < -1e17)
        scaled = -1e17;
    return (4 - static_cast<std::int64_t>(scaled)) / 10;
}

std::vector<RecordLabel> RecordLabels(int width, float xScale, std::uint32_t firstRecord) {
    std::vector<RecordLabel> labels;
    if (width - kFrameRightMargin <= kFrameLeft)
        return labels;
    const TickSpacing spacing = FindTickSpacing(width, xScale);
    int x = kFrameLeft;
    float p = static_cast<float>(kFrameLeft);
    do {
        const double record = (static_cast<double>(p) - kFrameLeft) / static_cast<double>(xScale) +
                              static_cast<double>(firstRecord);
        labels.push_back({x, FormatInteger(RecordLabelValue(record))});
        const double sum = static_cast<double>(p) + static_cast<double>(spacing.step);
        p = static_cast<float>(sum);
        x = TruncPosition(sum);
    } while (x < width - kFrameRightMargin && labels.size() < static_cast<std::size_t>(width));
    return labels;
}

std::vector<ValueLabel> ValueLabels(const ValueMapping& mapping) {
    std::vector<ValueLabel> labels;
    for (int n = mapping.height - kFrameBottomMargin; n > kFrameTop; n -= 50)
        labels.push_back({n, FormatFixed2(mapping.ValueAt(n))});
    return labels;
}

} // namespace kurvon
