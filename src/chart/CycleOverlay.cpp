#include "chart/CycleOverlay.h"

#include "chart/DrawableState.h"
#include "data/NumberFormat.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace kurvon {
namespace {

struct Rgb {
    double r, g, b;
};
// Dark blue, teal, green, orange, red: each step readable on white.
constexpr std::array<Rgb, 5> kRamp{
    {{0, 0, 200}, {0, 140, 160}, {0, 150, 0}, {230, 120, 0}, {200, 0, 0}}};

ColorRef ToColorRef(const Rgb& c) {
    const auto byte = [](double v) { return static_cast<ColorRef>(std::lround(v)); };
    return byte(c.r) | byte(c.g) << 8 | byte(c.b) << 16;
}

// The first record of a cycle with a finite x, if any.
std::optional<float> FirstFinite(const float* x, std::uint32_t first, std::uint32_t last) {
    for (std::uint64_t r = first; r <= last; ++r)
        if (std::isfinite(x[r]))
            return x[r];
    return std::nullopt;
}

} // namespace

ColorRef RampColor(std::size_t i, std::size_t n) {
    if (n < 2)
        return ToColorRef(kRamp[0]);
    const double t = static_cast<double>(std::min(i, n - 1)) / static_cast<double>(n - 1) *
                     static_cast<double>(kRamp.size() - 1);
    const std::size_t k = std::min<std::size_t>(static_cast<std::size_t>(t), kRamp.size() - 2);
    const double f = t - static_cast<double>(k);
    const Rgb& a = kRamp[k];
    const Rgb& b = kRamp[k + 1];
    return ToColorRef({a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f});
}

std::vector<OverlayCycle> OverlayCycles(const ViewState& state) {
    const DataSet& data = state.data;
    if (!state.overlay.choice || !state.dataLoaded || state.loading ||
        !ChannelUsable(data, state.xChannel) || state.cycles.spans.empty())
        return {};
    const std::vector<CycleSpan>& spans = state.cycles.spans;
    const std::vector<std::uint32_t> numbers =
        ChosenCycles(*state.overlay.choice, static_cast<std::uint32_t>(spans.size()));
    const float* x = data.Channel(static_cast<std::uint32_t>(state.xChannel));
    std::vector<OverlayCycle> cycles;
    for (std::uint32_t number : numbers) {
        const CycleSpan& span = spans[number - 1];
        if (span.first > span.last || span.last >= data.recordCount)
            continue; // cycles of records the data set no longer holds
        OverlayCycle c{number, span.first, span.last, 0, 0.0f};
        if (state.overlay.relative)
            c.origin = FirstFinite(x, span.first, span.last).value_or(0.0f);
        cycles.push_back(c);
    }
    for (std::size_t i = 0; i < cycles.size(); ++i)
        cycles[i].color = RampColor(i, cycles.size());
    return cycles;
}

bool OverlayActive(const ViewState& state) {
    return !OverlayCycles(state).empty();
}

OverlayAxis::OverlayAxis(const DataSet& data, int xChannel, const std::vector<OverlayCycle>& cycles,
                         bool relative, int chartWidth)
    : m_relative(relative), m_width(chartWidth) {
    if (!ChannelUsable(data, xChannel) || cycles.empty())
        return;
    m_x = data.Channel(static_cast<std::uint32_t>(xChannel));
    float minimum = INFINITY;
    float maximum = -INFINITY;
    std::uint64_t records = 0;
    const auto channel = static_cast<std::size_t>(xChannel);
    const ChannelSummary* summary =
        channel < data.summaries.size() && data.summaries[channel].Covers(data.recordCount)
            ? &data.summaries[channel]
            : nullptr;
    for (const OverlayCycle& c : cycles) {
        records += std::uint64_t{c.last} - c.first + 1;
        if (summary) {
            // A relative x is monotone in x: its extremes are those of x, unless they overflow.
            // Zeros are read value by value, where the first of -0 and +0 decides.
            const ValueClasses v = summary->Range(m_x, c.first, c.last);
            if (!(v.flags & ValueClasses::kFinite))
                continue;
            const float low = relative ? RelativeX(v.minFinite, c.origin) : v.minFinite;
            const float high = relative ? RelativeX(v.maxFinite, c.origin) : v.maxFinite;
            if (std::isfinite(low) && std::isfinite(high) && low != 0 && high != 0) {
                minimum = std::min(minimum, low);
                maximum = std::max(maximum, high);
                continue;
            }
        }
        for (std::uint64_t r = c.first; r <= c.last; ++r) {
            const float v = X(c, static_cast<std::uint32_t>(r));
            if (std::isfinite(v)) {
                minimum = std::min(minimum, v);
                maximum = std::max(maximum, v);
            }
        }
    }
    m_span = static_cast<std::uint32_t>(std::clamp<std::uint64_t>(records - 1, 1, UINT32_MAX));
    m_any = minimum <= maximum;
    if (!m_any)
        return;
    m_mid = static_cast<float>((static_cast<double>(minimum) + maximum) / 2.0);
    m_columns = XColumns::Spanning(minimum, maximum, chartWidth);
}

float OverlayAxis::X(const OverlayCycle& c, std::uint32_t r) const {
    return m_relative ? RelativeX(m_x[r], c.origin) : m_x[r];
}

std::optional<double> OverlayAxis::ValueAt(int px) const {
    if (!m_any)
        return std::nullopt;
    if (m_columns.flat)
        return m_mid;
    return m_columns.ValueAt(px);
}

std::vector<RecordLabel> OverlayAxis::Labels() const {
    if (!m_any)
        return {};
    std::vector<RecordLabel> labels = RecordLabels(m_width, XScale(m_width, m_span), 0);
    for (RecordLabel& label : labels)
        label.text = FormatFixed2(*ValueAt(label.x));
    return labels;
}

} // namespace kurvon
