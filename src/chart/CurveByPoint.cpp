// DrawCurveByPoint: the literal drawing by channel, less the segments that change nothing.
//
// A long window is walked in two halves on two threads. Each half only collects what it would
// draw: the walk pixels it stamps (its marks), the stamps outside the marks and its long
// segments. Everything one curve draws is the same stamp of the same pen, so drawing both
// collections afterwards, in any order, gives the pixels of one walk over the whole window;
// curves are still drawn one after the other.

#include "chart/CurveDrawing.h"
#include "chart/PixelMarks.h"
#include "data/TwoThreads.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace kurvon {
namespace {

// Blocks tried, largest first, each aligned to its size; the smallest is a summary leaf and the
// stretch read at once between them.
constexpr std::uint32_t kBlocks[] = {4096, 1024, 256, 64};
constexpr std::uint32_t kStretch = 64;
// Segments up to this many walk pixels are walked here, pixel by pixel against the marks.
constexpr int kShortWalk = 32;
// The column of a record without one (columns stay within +-kPositionLimit).
constexpr int kNoColumn = INT_MIN;
constexpr std::uint32_t kExponent = 0x7F800000; // all ones: infinite or NaN

// Windows at least this long are split between two threads.
constexpr std::uint32_t kSplitRecords = 1u << 16;

// Draws on the surface as the walk goes.
class DirectOut {
public:
    explicit DirectOut(RasterSurface& s) : m_s(s) {}
    void Stamp(int x, int y) { m_s.StampWalkPixel(x, y); }
    void Line(int ax, int ay, int bx, int by) {
        m_s.MoveTo(ax, ay);
        m_s.LineTo(bx, by);
    }

private:
    RasterSurface& m_s;
};

// Collects what the walk draws besides its marks.
struct Collected {
    struct Point {
        int x, y;
    };
    struct Segment {
        int ax, ay, bx, by;
    };
    std::vector<Point> outside; // stamps of pixels the marks do not hold
    std::vector<Segment> lines;
    bool placed = false; // the walk's last placed point, where it leaves the pen
    int atX = 0;
    int atY = 0;
};

class CollectOut {
public:
    CollectOut(Collected& c, const PixelMarks& marks) : m_c(c), m_marks(marks) {}
    void Stamp(int x, int y) {
        if (!m_marks.Holds(x, y))
            m_c.outside.push_back({x, y});
    }
    void Line(int ax, int ay, int bx, int by) { m_c.lines.push_back({ax, ay, bx, by}); }

private:
    Collected& m_c;
    const PixelMarks& m_marks;
};

template <class Out> class PointWalk {
public:
    // Records first..last of the curve's window; a walk starts a stroke at its first record.
    PointWalk(Out out, PixelMarks& marks, const CurveSource& c, std::uint32_t first,
              std::uint32_t last)
        : m_out(out), m_c(c), m_axis(*c.axis), m_x(m_axis.XValues()), m_marks(marks),
          m_first(first), m_last(last) {}

    // Whether a record was placed, and the last placed one's pixel.
    bool Placed() const { return m_placedAny; }
    int AtX() const { return m_atX; }
    int AtY() const { return m_atY; }

    void Draw() {
        const bool blocks = m_c.summary && m_axis.XSummary();
        std::uint64_t r = m_first;
        const std::uint64_t last = m_last;
        while (r <= last) {
            if (blocks && r % kStretch == 0) {
                if (const std::uint32_t n = SkippedBlock(r, last)) {
                    r += n;
                    continue;
                }
            }
            const std::uint64_t end = std::min(last, (r / kStretch + 1) * kStretch - 1);
            Stretch(static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(end));
            r = end + 1;
        }
    }

private:
    // Records a..b, at most kStretch of them: their pixels first (a loop the compiler can run
    // in vector registers), then their segments.
    void Stretch(std::uint32_t a, std::uint32_t b) {
        int columns[kStretch];
        int rows[kStretch];
        const std::uint32_t n = b - a + 1;
        const float* x = m_x + a;
        const float* v = m_c.values + a;
        float relative[kStretch];
        if (m_axis.Relative()) {
            const float origin = m_axis.Origin();
            for (std::uint32_t i = 0; i < n; ++i)
                relative[i] = RelativeX(x[i], origin);
            x = relative;
        }
        for (std::uint32_t i = 0; i < n; ++i)
            columns[i] = m_axis.ColumnOf(x[i]);
        for (std::uint32_t i = 0; i < n; ++i)
            rows[i] = m_c.mapping.Y(v[i]);
        bool breaks = false;
        for (std::uint32_t i = 0; i < n; ++i) {
            const bool none = (std::bit_cast<std::uint32_t>(x[i]) & kExponent) == kExponent;
            columns[i] = none ? kNoColumn : columns[i];
            breaks |= none;
        }
        int atX = m_atX;
        int atY = m_atY;
        bool stroke = m_stroke;
        bool placed = m_placedAny;
        for (std::uint32_t i = 0; i < n; ++i) {
            const int px = columns[i];
            const int py = rows[i];
            if (breaks && px == kNoColumn) {
                stroke = false;
                continue;
            }
            const int dx = px - atX;
            const int dy = py - atY;
            if (stroke && (dx | dy) != 0) {
                // Between neighbouring pixels the walk is the start alone.
                if (static_cast<unsigned>(dx + 1) <= 2 && static_cast<unsigned>(dy + 1) <= 2) {
                    if (!m_marks.TestAndSet(atX, atY))
                        m_out.Stamp(atX, atY);
                } else {
                    Segment(atX, atY, px, py);
                }
            }
            atX = px;
            atY = py;
            stroke = true;
            placed = true;
        }
        m_placedAny = placed;
        m_atX = atX;
        m_atY = atY;
        m_stroke = stroke;
    }

    // The literal segment from (ax, ay) to (bx, by), not between neighbouring pixels: short
    // walks pixel by pixel, skipping pixels stamped already; longer ones by the surface.
    void Segment(int ax, int ay, int bx, int by) {
        const int dx = std::abs(bx - ax);
        const int dy = std::abs(by - ay);
        const bool xMajor = dx >= dy;
        const int major = xMajor ? dx : dy;
        if (major > kShortWalk) {
            m_out.Line(ax, ay, bx, by);
            return;
        }
        // i steps along the major axis, floor((2 i d + D) / 2D) along the minor one.
        const int minor = xMajor ? dy : dx;
        const int sx = bx > ax ? 1 : -1;
        const int sy = by > ay ? 1 : -1;
        int x = ax;
        int y = ay;
        int e = major;
        for (int i = 0; i < major; ++i) {
            if (!m_marks.TestAndSet(x, y))
                m_out.Stamp(x, y);
            e += 2 * minor;
            const bool step = e >= 2 * major;
            if (step)
                e -= 2 * major;
            if (xMajor) {
                x += sx;
                y += step ? sy : 0;
            } else {
                y += sy;
                x += step ? sx : 0;
            }
        }
    }

    // The records skipped from r on (a whole block after drawing up to its first point), or 0.
    // Every inner segment of the block has both ends in the block's box of pixels, and so does
    // its walk: inside one pixel it covers nothing, inside marked pixels nothing new.
    std::uint32_t SkippedBlock(std::uint64_t r, std::uint64_t last) {
        for (const std::uint32_t n : kBlocks) {
            if (r % n != 0 || r + n - 1 > last)
                continue;
            const auto a = static_cast<std::uint32_t>(r);
            const auto b = static_cast<std::uint32_t>(r + n - 1);
            const ValueClasses xs = m_axis.XSummary()->Range(m_x, a, b);
            if (xs.flags != ValueClasses::kFinite)
                continue; // a break inside: record by record
            float low = xs.minFinite;
            float high = xs.maxFinite;
            if (m_axis.Relative()) {
                low = RelativeX(low, m_axis.Origin());
                high = RelativeX(high, m_axis.Origin());
                if (!std::isfinite(low) || !std::isfinite(high))
                    continue;
            }
            const int x0 = m_axis.ColumnOf(low);
            const int x1 = m_axis.ColumnOf(high);
            const RowRange rows = RowsOf(m_c.summary->Range(m_c.values, a, b), m_c.mapping);
            const bool onePixel = x0 == x1 && rows.low == rows.high;
            if (!onePixel && !m_marks.AllSet(x0, x1, rows.low, rows.high))
                continue;
            Stretch(a, a);
            m_atX = m_axis.Column(b);
            m_atY = m_c.mapping.Y(m_c.values[b]);
            return n;
        }
        return 0;
    }

    Out m_out;
    const CurveSource& m_c;
    const XAxis& m_axis;
    const float* m_x;
    PixelMarks& m_marks;
    std::uint32_t m_first;
    std::uint32_t m_last;
    bool m_stroke = false; // the previous record was placed
    bool m_placedAny = false;
    int m_atX = 0;
    int m_atY = 0;
};

// Records first..last walked into marks and what they collect.
void Collect(const CurveSource& c, std::uint32_t first, std::uint32_t last, PixelMarks& marks,
             Collected& out) {
    PointWalk<CollectOut> walk(CollectOut(out, marks), marks, c, first, last);
    walk.Draw();
    out.placed = walk.Placed();
    out.atX = walk.AtX();
    out.atY = walk.AtY();
}

void DrawCollected(RasterSurface& s, const PixelMarks& marks, const Collected& c) {
    marks.ForEach([&s](int x, int y) { s.StampWalkPixel(x, y); });
    for (const Collected::Point& p : c.outside)
        s.StampWalkPixel(p.x, p.y);
    for (const Collected::Segment& l : c.lines) {
        s.MoveTo(l.ax, l.ay);
        s.LineTo(l.bx, l.by);
    }
}

} // namespace

void DrawCurveByPoint(RasterSurface& s, const CurveSource& c) {
    if (c.axis->ByRecord()) {
        DrawCurveLiteral(s, c);
        return;
    }
    const std::uint32_t first = c.axis->First();
    const std::uint32_t last = c.axis->Last();
    const std::uint32_t aligned = (first + (last - first) / 2) & ~(kBlocks[0] - 1);
    if (last - first < kSplitRecords || aligned <= first ||
        !PixelMarks::Fits(s.Width(), s.Height())) {
        PixelMarks marks(s.Width(), s.Height());
        PointWalk<DirectOut> walk(DirectOut(s), marks, c, first, last);
        walk.Draw();
        if (walk.Placed())
            s.MoveTo(walk.AtX(), walk.AtY()); // where the literal drawing leaves the pen
        return;
    }
    // The lower half ends at the middle record, where the upper one starts a stroke: the
    // segment into the middle record is the lower half's.
    const std::uint32_t bounds[3] = {first, aligned, last};
    PixelMarks marks[2] = {PixelMarks(s.Width(), s.Height()), PixelMarks(s.Width(), s.Height())};
    Collected collected[2];
    RunOnTwoThreads(2, [&](std::uint32_t a, std::uint32_t b) {
        for (std::uint32_t h = a; h < b; ++h)
            Collect(c, bounds[h], bounds[h + 1], marks[h], collected[h]);
    });
    for (int h = 0; h < 2; ++h)
        DrawCollected(s, marks[h], collected[h]);
    const Collected& end = collected[1].placed ? collected[1] : collected[0];
    if (end.placed)
        s.MoveTo(end.atX, end.atY);
}

} // namespace kurvon
