#include "chart/CycleOverlayCurves.h"

#include "chart/CurveDrawing.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace kurvon {
namespace {

// The column of a record whose x is not finite.
constexpr int kNoColumn = INT_MIN;

// Consecutive segments along one column (or one row) that keep their direction are drawn as
// one: the walk of a vertical or horizontal line from A to C is the walk from A to B followed by
// the one from B to C, so the pixels are those of one segment per record.
template <class Target> class Strokes {
public:
    explicit Strokes(Target& s) : m_s(s) {}
    ~Strokes() { Flush(); }

    void MoveTo(int x, int y) {
        Flush();
        m_s.MoveTo(x, y);
        m_atX = m_toX = x;
        m_atY = m_toY = y;
    }
    void LineTo(int x, int y) {
        if (x == m_toX && y == m_toY)
            return; // covers nothing
        if (m_pending && Continues(x, y)) {
            m_toX = x;
            m_toY = y;
            return;
        }
        Flush();
        m_toX = x;
        m_toY = y;
        m_pending = true;
    }
    // Where the pen stands once the pending segment is drawn.
    int AtX() const { return m_toX; }
    int AtY() const { return m_toY; }
    void Flush() {
        if (!m_pending)
            return;
        m_s.LineTo(m_toX, m_toY);
        m_atX = m_toX;
        m_atY = m_toY;
        m_pending = false;
    }

private:
    static int Sign(long long v) { return (v > 0) - (v < 0); }
    bool Continues(int x, int y) const {
        if (m_atX == m_toX && x == m_toX)
            return Sign(static_cast<long long>(m_toY) - m_atY) ==
                   Sign(static_cast<long long>(y) - m_toY);
        if (m_atY == m_toY && y == m_toY)
            return Sign(static_cast<long long>(m_toX) - m_atX) ==
                   Sign(static_cast<long long>(x) - m_toX);
        return false;
    }

    Target& m_s;
    int m_atX = 0; // the pen's position
    int m_atY = 0;
    int m_toX = 0; // where the pending segment ends
    int m_toY = 0;
    bool m_pending = false;
};

// Moves or draws to each placed record of a stretch, breaking at the others.
template <class Target>
void Polyline(Strokes<Target>& pen, bool& stroke, const int* columns, const int* rows,
              std::uint32_t n) {
    for (std::uint32_t i = 0; i < n; ++i) {
        if (columns[i] == kNoColumn) {
            stroke = false;
            continue;
        }
        if (!stroke)
            pen.MoveTo(columns[i], rows[i]);
        else
            pen.LineTo(columns[i], rows[i]);
        stroke = true;
    }
}

int ColumnOf(const OverlayAxis& axis, const OverlayCycle& cycle, std::uint32_t r) {
    const float x = axis.X(cycle, r);
    return std::isfinite(x) ? axis.Column(x) : kNoColumn;
}

} // namespace

void DrawCycleCurve(RasterSurface& s, const OverlayAxis& axis, const OverlayCycle& cycle,
                    const float* values, const ValueMapping& mapping) {
    Strokes<RasterSurface> pen(s);
    bool stroke = false;
    for (std::uint64_t r = cycle.first; r <= cycle.last; ++r) {
        const int column = ColumnOf(axis, cycle, static_cast<std::uint32_t>(r));
        const int row = mapping.Y(values[r]);
        Polyline(pen, stroke, &column, &row, 1);
    }
}

void DrawCycleCurves(CoverageMask& m, const OverlayAxis& axis, const OverlayCycle& cycle,
                     const std::vector<CycleCurve>& curves) {
    constexpr std::uint32_t kStretch = 1024;
    constexpr std::uint32_t kBlock = 64; // a summary leaf
    int columns[kStretch];
    int rows[kStretch];
    struct Position {
        bool stroke = false;
        int x = 0;
        int y = 0;
    };
    std::vector<Position> at(curves.size());
    for (std::uint64_t g = cycle.first; g <= cycle.last; g += kStretch) {
        const auto first = static_cast<std::uint32_t>(g);
        const auto n =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(kStretch, cycle.last - g + 1));
        for (std::uint32_t i = 0; i < n; ++i)
            columns[i] = ColumnOf(axis, cycle, first + i);
        for (std::size_t k = 0; k < curves.size(); ++k) {
            const CycleCurve& c = curves[k];
            m.SetPenWidth(c.pen);
            Position& p = at[k];
            Strokes<CoverageMask> pen(m);
            if (p.stroke)
                pen.MoveTo(p.x, p.y);
            // Blocks aligned to the summary's leaves, each tried for hiding.
            for (std::uint32_t a = 0; a < n;) {
                const std::uint32_t b =
                    std::min(n, a + kBlock - (first + a) % kBlock); // one past the block
                if (c.summary && m.Hides() && b - a > 2) {
                    const auto [x0, x1] = std::minmax_element(columns + a, columns + b);
                    if (*x0 != kNoColumn) {
                        const RowRange ys =
                            RowsOf(c.summary->Range(c.values, first + a, first + b - 1), c.mapping);
                        if (m.Hidden(*x0, *x1, ys.low, ys.high)) {
                            // Every line but the one into the block lies in its box.
                            const int y0 = c.mapping.Y(c.values[first + a]);
                            Polyline(pen, p.stroke, columns + a, &y0, 1);
                            pen.MoveTo(columns[b - 1], c.mapping.Y(c.values[first + b - 1]));
                            a = b;
                            continue;
                        }
                    }
                }
                for (std::uint32_t i = a; i < b; ++i)
                    rows[i] = c.mapping.Y(c.values[first + i]);
                Polyline(pen, p.stroke, columns + a, rows + a, b - a);
                a = b;
            }
            p.x = pen.AtX();
            p.y = pen.AtY();
        }
    }
}

} // namespace kurvon
