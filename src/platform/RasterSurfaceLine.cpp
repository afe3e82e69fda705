// The line rasteriser of RasterSurface: the stamps of the visible part of the Bresenham walk
// (LineWalk.h).

#include "platform/LineWalk.h"
#include "platform/RasterSurface.h"

#include <cstddef>

namespace kurvon {
namespace {

using I64 = std::int64_t;

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

} // namespace

void RasterSurface::DrawLine(int x0, int y0, int x1, int y1) {
    const LineWalk v = VisibleWalk(x0, y0, x1, y1, m_width, m_height, m_penWidth, kCoordinateLimit);
    if (v.count <= 0)
        return;
    const std::ptrdiff_t stride = m_stride;
    Walk walk;
    walk.index = static_cast<std::ptrdiff_t>(v.y) * stride + v.x;
    walk.majorStep = v.xMajor ? v.majorSign : v.majorSign * stride;
    walk.minorStep = v.xMajor ? v.minorSign * stride : v.minorSign;
    walk.count = v.count;
    walk.error = v.error;
    walk.twoMinor = v.twoMinor;
    walk.twoMajor = v.twoMajor;

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
