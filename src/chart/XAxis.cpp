#include "chart/XAxis.h"

#include "chart/ChartGeometry.h"
#include "chart/DrawableState.h"
#include "data/NumberFormat.h"

#include <cmath>

namespace kurvon {
std::vector<ColumnRun> ColumnRuns(std::uint32_t span, float xScale) {
    std::vector<ColumnRun> runs;
    std::uint64_t k = 0;
    while (k <= span) {
        const int x = CurveX(static_cast<std::uint32_t>(k), xScale);
        // Gallop, then bisect, for the last k' with the same x (x is monotone in k).
        std::uint64_t inside = k;
        std::uint64_t step = 1;
        std::uint64_t outside = std::uint64_t(span) + 1;
        while (inside + step <= span) {
            if (CurveX(static_cast<std::uint32_t>(inside + step), xScale) != x) {
                outside = inside + step;
                break;
            }
            inside += step;
            step *= 2;
        }
        while (outside - inside > 1) {
            const std::uint64_t mid = inside + (outside - inside) / 2;
            if (CurveX(static_cast<std::uint32_t>(mid), xScale) == x)
                inside = mid;
            else
                outside = mid;
        }
        runs.push_back({x, static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(inside)});
        k = inside + 1;
    }
    return runs;
}

XColumns XColumns::Spanning(float minimum, float maximum, int chartWidth) {
    const LinearScale l = ScaleOver(PlotWidth(chartWidth), maximum, minimum);
    XColumns c;
    c.width = chartWidth;
    c.min = l.minimum;
    c.scale = l.scale;
    c.flat = l.flat;
    return c;
}

XAxis::XAxis(const ViewState& state, int chartWidth)
    : m_width(chartWidth), m_first(state.firstRecord), m_last(state.lastRecord) {
    const DataSet& data = state.data;
    if (!ChannelUsable(data, state.xChannel) || !WindowUsable(state)) {
        m_scale = XScale(chartWidth, m_last - m_first);
        return;
    }
    m_channel = state.xChannel;
    m_x = data.Channel(static_cast<std::uint32_t>(m_channel));
    const auto c = static_cast<std::size_t>(m_channel);
    if (c < data.summaries.size() && data.summaries[c].Covers(data.recordCount))
        m_summary = &data.summaries[c];
    static const ChannelSummary kNone;
    const ValueClasses range = (m_summary ? *m_summary : kNone).Range(m_x, m_first, m_last);
    m_any = (range.flags & ValueClasses::kFinite) != 0;
    if (!m_any)
        return;
    m_mid = static_cast<float>((static_cast<double>(range.minFinite) + range.maxFinite) / 2.0);
    m_columns = XColumns::Spanning(range.minFinite, range.maxFinite, chartWidth);
    m_scale = m_columns.scale;
}

XAxis::XAxis(const DataSet& data, int xChannel, std::uint32_t first, std::uint32_t last,
             const XColumns& columns, std::optional<float> origin)
    : m_width(columns.width), m_first(first), m_last(last), m_scale(columns.scale),
      m_channel(xChannel), m_x(data.Channel(static_cast<std::uint32_t>(xChannel))),
      m_columns(columns), m_relative(origin.has_value()), m_origin(origin.value_or(0.0f)),
      m_any(true) {
    const auto c = static_cast<std::size_t>(xChannel);
    if (c < data.summaries.size() && data.summaries[c].Covers(data.recordCount))
        m_summary = &data.summaries[c];
}

bool XAxis::Placed(std::uint32_t r) const {
    return !m_x || std::isfinite(X(r));
}

int XAxis::Column(std::uint32_t r) const {
    return m_x ? ColumnOf(X(r)) : CurveX(r - m_first, m_scale);
}

bool XAxis::InColumn(std::uint64_t r, int c) const {
    const float x = X(static_cast<std::uint32_t>(r));
    return std::isfinite(x) && ColumnOf(x) == c;
}

bool XAxis::BlockInColumn(std::uint64_t a, std::uint64_t b, int c) const {
    const ValueClasses v =
        m_summary->Range(m_x, static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b));
    if (v.flags != ValueClasses::kFinite)
        return false;
    const float low = m_relative ? RelativeX(v.minFinite, m_origin) : v.minFinite;
    const float high = m_relative ? RelativeX(v.maxFinite, m_origin) : v.maxFinite;
    // Columns grow with x, so the extremes bound every record's column.
    return std::isfinite(low) && std::isfinite(high) && ColumnOf(low) == c && ColumnOf(high) == c;
}

std::uint64_t XAxis::RunEnd(std::uint64_t r, int c) const {
    constexpr std::uint64_t kLeaf = std::uint64_t{1} << ChannelSummary::kLeafShift;
    constexpr unsigned kFan = ChannelSummary::kFanShift;
    const std::uint64_t end = std::uint64_t{m_last} + 1;
    std::uint64_t next = r + 1; // the first record not known to be in the run
    if (m_summary) {
        // Record by record to a leaf boundary (most runs end before), then over aligned blocks of
        // the summary, each answered by one entry: as large as they fit, smaller where one
        // leaves the column, down to a leaf.
        for (; next < end && next % kLeaf != 0; ++next)
            if (!InColumn(next, c))
                return next - 1;
        std::uint64_t size = kLeaf;
        for (;;) {
            if (next + size <= end && BlockInColumn(next, next + size - 1, c)) {
                next += size;
                if (next % (size << kFan) == 0)
                    size <<= kFan;
            } else if (size > kLeaf) {
                size >>= kFan;
            } else {
                break;
            }
        }
    }
    while (next < end && InColumn(next, c))
        ++next;
    return next - 1;
}

std::vector<ColumnRun> XAxis::Runs() const {
    if (!m_x)
        return ColumnRuns(m_last - m_first, m_scale);
    std::vector<ColumnRun> runs;
    runs.reserve(std::min<std::size_t>(std::size_t{m_last - m_first} + 1, 4096));
    bool stroke = false; // the previous record was placed
    std::uint64_t r = m_first;
    while (r <= m_last) {
        const float x = X(static_cast<std::uint32_t>(r));
        if (!std::isfinite(x)) {
            stroke = false;
            ++r;
            continue;
        }
        const int c = ColumnOf(x);
        const std::uint64_t last = RunEnd(r, c);
        runs.push_back({c, static_cast<std::uint32_t>(r - m_first),
                        static_cast<std::uint32_t>(last - m_first), !stroke});
        stroke = true;
        r = last + 1;
    }
    return runs;
}

bool XAxis::ShortRuns() const {
    if (!m_x)
        return false;
    constexpr std::uint64_t kBlocks = 16;
    constexpr std::uint64_t kBlock = 256;
    const std::uint64_t span = std::uint64_t{m_last} - m_first;
    std::uint64_t pairs = 0;
    std::uint64_t changes = 0;
    for (std::uint64_t b = 0; b < kBlocks; ++b) {
        const std::uint64_t start = m_first + span * b / kBlocks;
        const std::uint64_t end = std::min<std::uint64_t>(start + kBlock, m_last);
        for (std::uint64_t r = start; r < end; ++r) {
            const float x0 = X(static_cast<std::uint32_t>(r));
            const float x1 = X(static_cast<std::uint32_t>(r + 1));
            if (!std::isfinite(x0) || !std::isfinite(x1))
                continue;
            ++pairs;
            changes += ColumnOf(x0) != ColumnOf(x1);
        }
    }
    return changes * 4 > pairs; // runs of fewer than 4 records on average
}

std::vector<RecordLabel> XAxis::Labels() const {
    std::vector<RecordLabel> labels =
        RecordLabels(m_width, XScale(m_width, m_last - m_first), m_first);
    if (!m_x)
        return labels;
    if (!m_any)
        return {};
    for (RecordLabel& label : labels)
        label.text = FormatFixed2(*ValueAt(label.x));
    return labels;
}

std::optional<double> XAxis::ValueAt(int px) const {
    if (!m_x || !m_any)
        return std::nullopt;
    if (m_columns.flat)
        return m_mid;
    return m_columns.ValueAt(px);
}

std::uint32_t XAxis::RecordAt(int px) const {
    if (!m_x)
        return RecordAtX(px, m_first, m_last - m_first, m_width);
    for (const ColumnRun& run : Runs())
        if (run.x >= px)
            return m_first + run.firstK;
    return m_last;
}

std::optional<std::pair<std::uint32_t, std::uint32_t>> XAxis::Band(int a, int b) const {
    if (a > b)
        std::swap(a, b);
    if (!m_x)
        return std::pair(RecordAtX(a, m_first, m_last - m_first, m_width),
                         RecordAtX(b, m_first, m_last - m_first, m_width));
    std::optional<std::pair<std::uint32_t, std::uint32_t>> band;
    for (const ColumnRun& run : Runs()) {
        if (run.x < a || run.x > b)
            continue;
        if (!band)
            band.emplace(m_first + run.firstK, m_first + run.lastK);
        band->second = m_first + run.lastK;
    }
    return band;
}

} // namespace kurvon
