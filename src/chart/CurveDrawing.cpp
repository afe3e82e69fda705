#include "chart/CurveDrawing.h"

#include <algorithm>
#include <climits>
#include <limits>

namespace kurvon {
namespace {

constexpr std::uint32_t kDirectRows = 16;

} // namespace

RowRange RowsOf(const ValueClasses& c, const ValueMapping& m) {
    RowRange rows;
    const auto take = [&](float v) {
        const int y = m.Y(v);
        rows.low = std::min(rows.low, y);
        rows.high = std::max(rows.high, y);
    };
    if (c.flags & ValueClasses::kFinite) {
        take(c.minFinite);
        take(c.maxFinite);
    }
    if (c.flags & ValueClasses::kPosInf)
        take(std::numeric_limits<float>::infinity());
    if (c.flags & ValueClasses::kNegInf)
        take(-std::numeric_limits<float>::infinity());
    if (c.flags & ValueClasses::kNaN)
        take(std::numeric_limits<float>::quiet_NaN());
    return rows;
}

namespace {

class Rows {
public:
    explicit Rows(const CurveSource& c) : m_c(c) {}

    int At(std::uint32_t record) const { return m_c.mapping.Y(m_c.values[record]); }

    // The extreme rows of records a..b, inclusive. Short ranges (most runs of a curve against
    // a back-and-forth x) and ranges without a summary are read value by value.
    RowRange Of(std::uint32_t a, std::uint32_t b) const {
        if (b - a < kDirectRows) {
            RowRange rows;
            for (std::uint64_t r = a; r <= b; ++r) {
                const int y = At(static_cast<std::uint32_t>(r));
                rows.low = std::min(rows.low, y);
                rows.high = std::max(rows.high, y);
            }
            return rows;
        }
        static const ChannelSummary kNone;
        const ChannelSummary& summary = m_c.summary ? *m_c.summary : kNone;
        return RowsOf(summary.Range(m_c.values, a, b), m_c.mapping);
    }

    // Whether the vertical segments through records a..n (one column) cover record n's row:
    // they do unless that row is reached only by the final stretch of equal rows, from
    // outside the rows of everything before it.
    bool LastRowCovered(std::uint32_t a, std::uint32_t n, const RowRange& all) const {
        const int y = At(n);
        if (all.low < y && y < all.high)
            return true;
        // The first record of the final stretch whose rows all equal y.
        std::uint32_t lo = a;
        std::uint32_t hi = n;
        while (lo < hi) {
            const std::uint32_t mid = lo + (hi - lo) / 2;
            const RowRange r = Of(mid, n);
            if (r.low == y && r.high == y)
                hi = mid;
            else
                lo = mid + 1;
        }
        if (lo == a)
            return false;
        const RowRange before = Of(a, lo - 1);
        return before.low <= y && y <= before.high;
    }

private:
    const CurveSource& m_c;
};

// The next pen position in column x, skipping moves that would draw nothing.
template <class Target> void VerticalTo(Target& s, int x, int& at, int y) {
    if (y != at)
        s.LineTo(x, y);
    at = y;
}

} // namespace

namespace {

// One segment per placed record by channel.
void DrawPoints(RasterSurface& s, const CurveSource& c) {
    const XAxis& axis = *c.axis;
    bool stroke = false; // the previous record was placed
    for (std::uint64_t r = axis.First(); r <= axis.Last(); ++r) {
        const auto record = static_cast<std::uint32_t>(r);
        if (!axis.Placed(record)) {
            stroke = false;
            continue;
        }
        const int x = axis.Column(record);
        const int y = c.mapping.Y(c.values[record]);
        if (!stroke)
            s.MoveTo(x, y);
        else
            s.LineTo(x, y);
        stroke = true;
    }
}

} // namespace

void DrawCurveLiteral(RasterSurface& s, const CurveSource& c) {
    const XAxis& axis = *c.axis;
    if (!axis.ByRecord()) {
        DrawPoints(s, c);
        return;
    }
    const float* values = c.values + axis.First();
    const std::uint32_t span = axis.Last() - axis.First();
    s.MoveTo(kFrameLeft, c.mapping.Y(values[0]));
    for (std::uint32_t k = 1; k <= span; ++k)
        s.LineTo(CurveX(k, axis.Scale()), c.mapping.Y(values[k]));
}

namespace {

template <class Target>
void DrawByColumn(Target& s, const CurveSource& c, const std::vector<ColumnRun>& runs) {
    const Rows rows(c);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const ColumnRun& run = runs[i];
        const std::uint32_t a = c.axis->First() + run.firstK;
        const std::uint32_t n = c.axis->First() + run.lastK;
        const int x = run.x;
        int at = rows.At(a);
        if (i == 0 || run.startsStroke)
            s.MoveTo(x, at);
        else
            s.LineTo(x, at);
        if (a == n)
            continue;
        const RowRange all = rows.Of(a, n);
        if (all.low == all.high)
            continue;
        const int last = rows.At(n);
        // Past a stroke's last run nothing starts at the final point, so its row may stay
        // uncovered.
        const bool finalRun = i + 1 == runs.size() || runs[i + 1].startsStroke;
        if (!finalRun || rows.LastRowCovered(a, n, all)) {
            // Through both extremes, the second one different from the final row.
            const bool lastIsHigh = last == all.high;
            VerticalTo(s, x, at, lastIsHigh ? all.high : all.low);
            VerticalTo(s, x, at, lastIsHigh ? all.low : all.high);
        } else {
            // The final row is an extreme reached only at the end: stop short of it.
            VerticalTo(s, x, at, last == all.high ? all.low : all.high);
        }
        VerticalTo(s, x, at, last);
    }
}

} // namespace

void DrawCurveByColumn(RasterSurface& s, const CurveSource& c, const std::vector<ColumnRun>& runs) {
    DrawByColumn(s, c, runs);
}

void DrawCurveByColumn(CoverageMask& m, const CurveSource& c, const std::vector<ColumnRun>& runs) {
    DrawByColumn(m, c, runs);
}

} // namespace kurvon
