#include "chart/CoverageMask.h"

#include "chart/BitRect.h"

#include <algorithm>

namespace kurvon {

CoverageMask::CoverageMask(int width, int height)
    : m_width(std::clamp(width, 0, RasterSurface::kMaxSide)),
      m_height(std::clamp(height, 0, RasterSurface::kMaxSide)),
      m_columnWords((m_height + 2 * kMargin + 63) / 64),
      m_bits(static_cast<std::size_t>(m_width + 2 * kMargin) * m_columnWords, 0) {}

void CoverageMask::SetPenWidth(int width) {
    m_pen = std::clamp(width, 1, 3);
    m_low = m_pen == 3 ? -1 : 0;
    m_high = m_pen >= 2 ? 1 : 0;
}

void CoverageMask::LineToAnyway(int x, int y) {
    const LineWalk v =
        VisibleWalk(m_atX, m_atY, x, y, m_width, m_height, m_pen, RasterSurface::kCoordinateLimit);
    m_atX = x;
    m_atY = y;
    if (v.count > 0)
        Walk(v);
}

void CoverageMask::Walk(const LineWalk& v) {
    int px = v.x;
    int py = v.y;
    std::int64_t e = v.error;
    if (v.xMajor) {
        // A new column at every pixel. A step along x alone adds only the stamp's leading
        // column (as on the surface); a step along y as well, the whole stamp.
        Run(px, py, py);
        const int lead = kMargin + (v.majorSign > 0 ? m_high : m_low);
        for (std::int64_t n = 1; n < v.count; ++n) {
            px += v.majorSign;
            e += v.twoMinor;
            if (e >= v.twoMajor) {
                e -= v.twoMajor;
                py += v.minorSign;
                Run(px, py, py);
            } else {
                SetRows(px + lead, py + m_low + kMargin, py + m_high + kMargin);
            }
        }
        return;
    }
    // Runs of pixels in one column, each set at once.
    int runStart = py;
    if (v.twoMinor * 8 <= v.twoMajor && v.count >= 32) {
        // Steep: runs of 4 pixels or more, each measured at once. A run ends at the last pixel
        // before the error reaches 2D (it starts below 2D).
        for (std::int64_t left = v.count;;) {
            const std::int64_t run =
                v.twoMinor == 0 ? left
                                : std::min(left, (v.twoMajor - e + v.twoMinor - 1) / v.twoMinor);
            py += static_cast<int>(v.majorSign * (run - 1));
            Run(px, std::min(runStart, py), std::max(runStart, py));
            left -= run;
            if (left == 0)
                return;
            e += run * v.twoMinor - v.twoMajor;
            px += v.minorSign;
            py += v.majorSign;
            runStart = py;
        }
    }
    for (std::int64_t n = 1; n < v.count; ++n) {
        e += v.twoMinor;
        if (e >= v.twoMajor) {
            e -= v.twoMajor;
            Run(px, std::min(runStart, py), std::max(runStart, py));
            px += v.minorSign;
            py += v.majorSign;
            runStart = py;
        } else {
            py += v.majorSign;
        }
    }
    Run(px, std::min(runStart, py), std::max(runStart, py));
}

bool CoverageMask::Hidden(int x0, int x1, int y0, int y1) const {
    if (!m_taken)
        return false;
    // Only pixels on the surface ever show.
    const int c0 = std::max(x0 + m_low, 0);
    const int c1 = std::min(x1 + m_high, m_width - 1);
    const int r0 = std::max(y0 + m_low, 0);
    const int r1 = std::min(y1 + m_high, m_height - 1);
    if (c0 > c1 || r0 > r1)
        return true;
    return m_taken->AllSet(c0 + kMargin, c1 + kMargin, r0 + kMargin, r1 + kMargin);
}

bool CoverageMask::AllSet(int c0, int c1, int r0, int r1) const {
    return AllBitsSet(m_bits.data(), m_columnWords, c0, c1, r0, r1);
}

void CoverageMask::PaintWord(RasterSurface& surface, std::size_t word, std::uint64_t bits,
                             ColorRef color) const {
    const auto columnWords = static_cast<std::size_t>(m_columnWords);
    const auto column = static_cast<int>(word / columnWords);
    const auto row = static_cast<int>(word % columnWords) * 64;
    surface.FillColumnBits(column - kMargin, row - kMargin, bits, color);
}

} // namespace kurvon
