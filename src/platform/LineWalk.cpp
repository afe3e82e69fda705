#include "platform/LineWalk.h"

#include <algorithm>
#include <cstdlib>

namespace kurvon {
namespace {

using I64 = std::int64_t;

I64 CeilDivPositive(I64 a, I64 b) {
    return (a + b - 1) / b;
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

LineWalk ClippedWalk(int x0, int y0, int x1, int y1, int width, int height, int penWidth,
                     int limit) {
    x0 = std::clamp(x0, -limit, limit);
    y0 = std::clamp(y0, -limit, limit);
    x1 = std::clamp(x1, -limit, limit);
    y1 = std::clamp(y1, -limit, limit);
    LineWalk v;
    if ((x0 == x1 && y0 == y1) || width <= 0 || height <= 0)
        return v;

    // The pixels P of the 1-pixel walk whose stamp reaches the surface.
    const int low = penWidth >= 2 ? -1 : 0;
    const int highX = width - 1 + (penWidth == 3 ? 1 : 0);
    const int highY = height - 1 + (penWidth == 3 ? 1 : 0);

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
        return v;

    const I64 numerator = 2 * first * a.minor + a.major;
    const I64 offset = first == 0 ? 0 : numerator / (2 * a.major);
    const I64 majorAt = a.majorStart + a.majorSign * first;
    const I64 minorAt = a.minorStart + a.minorSign * offset;
    v.count = last - first + 1;
    v.x = static_cast<int>(xMajor ? majorAt : minorAt);
    v.y = static_cast<int>(xMajor ? minorAt : majorAt);
    v.xMajor = xMajor;
    v.majorSign = a.majorSign;
    v.minorSign = a.minorSign;
    v.error = first == 0 ? a.major : numerator % (2 * a.major);
    v.twoMinor = 2 * a.minor;
    v.twoMajor = 2 * a.major;
    return v;
}

} // namespace kurvon
