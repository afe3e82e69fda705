// The line rasteriser of RasterSurface: the Bresenham walk of the header, with the part of the
// walk outside the surface skipped by computing where it enters and leaves, so a line millions of
// pixels long costs no more than its visible part.

#include "platform/RasterSurface.h"

#include <algorithm>
#include <cstdlib>

namespace kurvon {
namespace {

using I64 = std::int64_t;

I64 CeilDivPositive(I64 a, I64 b) {
    return (a + b - 1) / b;
}

// One pen stamp at pixel index i of a buffer whose rows are `stride` apart.
template <int Width>
inline void Stamp(std::uint32_t* base, std::ptrdiff_t i, std::ptrdiff_t stride,
                  std::uint32_t pixel) {
    if constexpr (Width == 1) {
        base[i] = pixel;
    } else if constexpr (Width == 2) {
        base[i] = pixel;
        base[i + 1] = pixel;
        base[i + stride] = pixel;
        base[i + stride + 1] = pixel;
    } else {
        for (std::ptrdiff_t r = i - stride; r <= i + stride; r += stride) {
            base[r - 1] = pixel;
            base[r] = pixel;
            base[r + 1] = pixel;
        }
    }
}

struct Walk {
    std::ptrdiff_t index;     // buffer index of the first pixel drawn
    std::ptrdiff_t majorStep; // index change per step along the major axis
    std::ptrdiff_t minorStep; // index change when the minor coordinate advances
    I64 count;                // pixels to draw
    I64 error;                // (2 i d + D) mod 2D at the first pixel drawn
    I64 twoMinor;             // 2 d
    I64 twoMajor;             // 2 D
};

template <int Width>
void RunWalk(std::uint32_t* base, std::ptrdiff_t stride, const Walk& w, std::uint32_t pixel) {
    std::ptrdiff_t i = w.index;
    I64 e = w.error;
    for (I64 n = 0; n < w.count; ++n) {
        Stamp<Width>(base, i, stride, pixel);
        i += w.majorStep;
        e += w.twoMinor;
        if (e >= w.twoMajor) {
            e -= w.twoMajor;
            i += w.minorStep;
        }
    }
}

// The 3 x 3 stamp along the walk: a step along the major axis alone adds only the three pixels
// of the square's leading edge, so only those are written; the covered set is unchanged.
template <>
void RunWalk<3>(std::uint32_t* base, std::ptrdiff_t stride, const Walk& w, std::uint32_t pixel) {
    if (w.count <= 0)
        return;
    const std::ptrdiff_t across = w.minorStep; // the perpendicular unit (the stamp is symmetric)
    std::ptrdiff_t i = w.index;
    I64 e = w.error;
    Stamp<3>(base, i, stride, pixel);
    for (I64 n = 1; n < w.count; ++n) {
        i += w.majorStep;
        e += w.twoMinor;
        if (e >= w.twoMajor) {
            e -= w.twoMajor;
            i += w.minorStep;
            Stamp<3>(base, i, stride, pixel);
        } else {
            const std::ptrdiff_t edge = i + w.majorStep;
            base[edge - across] = pixel;
            base[edge] = pixel;
            base[edge + across] = pixel;
        }
    }
}

// The walk along one axis pair: D = major, d = minor distance, signs of both directions, start
// coordinates, and the inclusive range of coordinates whose stamps reach the surface.
struct Axes {
    I64 major, minor;
    int majorSign, minorSign;
    I64 majorStart, minorStart;
    I64 majorLow, majorHigh, minorLow, minorHigh;
};

// Narrows [first, last] to the steps i whose pixel lies inside the ranges. False when none do.
bool ClipSteps(const Axes& a, I64& first, I64& last) {
    first = std::max<I64>(first,
                          a.majorSign > 0 ? a.majorLow - a.majorStart : a.majorStart - a.majorHigh);
    last = std::min<I64>(last,
                         a.majorSign > 0 ? a.majorHigh - a.majorStart : a.majorStart - a.majorLow);
    // Minor offsets m_i = floor((2 i d + D) / 2D) never decrease along the walk.
    const I64 mLow = a.minorSign > 0 ? a.minorLow - a.minorStart : a.minorStart - a.minorHigh;
    const I64 mHigh = a.minorSign > 0 ? a.minorHigh - a.minorStart : a.minorStart - a.minorLow;
    if (mHigh < 0)
        return false;
    if (a.minor == 0) {
        if (mLow > 0)
            return false;
    } else {
        if (mLow > 0) // m_i >= mLow  <=>  i >= D (2 mLow - 1) / 2d
            first = std::max(first, CeilDivPositive(a.major * (2 * mLow - 1), 2 * a.minor));
        // m_i <= mHigh  <=>  i < D (2 mHigh + 1) / 2d
        last = std::min(last, CeilDivPositive(a.major * (2 * mHigh + 1), 2 * a.minor) - 1);
    }
    return first <= last;
}

} // namespace

void RasterSurface::DrawLine(int x0, int y0, int x1, int y1) {
    const auto clampCoord = [](int v) {
        return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
    };
    x0 = clampCoord(x0);
    y0 = clampCoord(y0);
    x1 = clampCoord(x1);
    y1 = clampCoord(y1);
    if ((x0 == x1 && y0 == y1) || m_width == 0 || m_height == 0)
        return;

    // The pixels P of the 1-pixel walk whose stamp reaches the surface.
    const int low = m_penWidth >= 2 ? -1 : 0;
    const int highX = m_width - 1 + (m_penWidth == 3 ? 1 : 0);
    const int highY = m_height - 1 + (m_penWidth == 3 ? 1 : 0);

    const I64 dx = std::llabs(I64{x1} - x0);
    const I64 dy = std::llabs(I64{y1} - y0);
    const bool xMajor = dx >= dy;
    Axes a;
    a.major = xMajor ? dx : dy;
    a.minor = xMajor ? dy : dx;
    a.majorSign = (xMajor ? x1 > x0 : y1 > y0) ? 1 : -1;
    a.minorSign = (xMajor ? y1 > y0 : x1 > x0) ? 1 : -1;
    a.majorStart = xMajor ? x0 : y0;
    a.minorStart = xMajor ? y0 : x0;
    a.majorLow = low;
    a.majorHigh = xMajor ? highX : highY;
    a.minorLow = low;
    a.minorHigh = xMajor ? highY : highX;

    // The walk stays within the box of its end points: when both lie inside, nothing to clip.
    const bool inside = std::min(x0, x1) >= low && std::max(x0, x1) <= highX &&
                        std::min(y0, y1) >= low && std::max(y0, y1) <= highY;
    I64 first = 0;
    I64 last = a.major - 1;
    if (!inside && !ClipSteps(a, first, last))
        return;

    const I64 numerator = 2 * first * a.minor + a.major;
    const I64 offset = first == 0 ? 0 : numerator / (2 * a.major);
    const I64 majorAt = a.majorStart + a.majorSign * first;
    const I64 minorAt = a.minorStart + a.minorSign * offset;
    const std::ptrdiff_t stride = m_stride;
    Walk walk;
    walk.index = static_cast<std::ptrdiff_t>(xMajor ? minorAt : majorAt) * stride +
                 static_cast<std::ptrdiff_t>(xMajor ? majorAt : minorAt);
    walk.majorStep = xMajor ? a.majorSign : a.majorSign * stride;
    walk.minorStep = xMajor ? a.minorSign * stride : a.minorSign;
    walk.count = last - first + 1;
    walk.error = first == 0 ? a.major : numerator % (2 * a.major);
    walk.twoMinor = 2 * a.minor;
    walk.twoMajor = 2 * a.major;

    const std::uint32_t pixel = PixelFromColorRef(m_penColor);
    std::uint32_t* base = Origin();
    if (m_penWidth == 1)
        RunWalk<1>(base, stride, walk, pixel);
    else if (m_penWidth == 2)
        RunWalk<2>(base, stride, walk, pixel);
    else
        RunWalk<3>(base, stride, walk, pixel);
}

} // namespace kurvon
