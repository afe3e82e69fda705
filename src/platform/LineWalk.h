#pragma once
// The visible part of a line's 1-pixel walk (the rule is in RasterSurface.h): which walk pixels
// have a pen stamp that reaches a width x height surface, found without visiting the rest.
// The raster surface and the chart's coverage masks both draw from it, so they cover the same
// pixels.

#include <cstdint>

namespace kurvon {

struct LineWalk {
    std::int64_t count = 0; // walk pixels to stamp; 0: none
    int x = 0;              // the first of them
    int y = 0;
    bool xMajor = true;
    int majorSign = 1;         // direction of each step along the major axis
    int minorSign = 1;         // direction of a step along the minor axis
    std::int64_t error = 0;    // (2 i d + D) mod 2D at the first pixel
    std::int64_t twoMinor = 0; // 2 d: 0 for a horizontal or vertical line
    std::int64_t twoMajor = 0; // 2 D
};

// The walk from (x0, y0) towards (x1, y1), coordinates clamped to +-limit, kept to the pixels
// whose stamp with a pen of penWidth (1..3) touches the surface.
LineWalk ClippedWalk(int x0, int y0, int x1, int y1, int width, int height, int penWidth,
                     int limit);

// The same; a line with both ends on the surface (most of them) is walked whole, here.
inline LineWalk VisibleWalk(int x0, int y0, int x1, int y1, int width, int height, int penWidth,
                            int limit) {
    const bool inside =
        (x0 | y0 | x1 | y1) >= 0 && x0 < width && x1 < width && y0 < height && y1 < height;
    if (!inside)
        return ClippedWalk(x0, y0, x1, y1, width, height, penWidth, limit);
    LineWalk v;
    const int dx = x1 > x0 ? x1 - x0 : x0 - x1;
    const int dy = y1 > y0 ? y1 - y0 : y0 - y1;
    v.xMajor = dx >= dy;
    const int major = v.xMajor ? dx : dy;
    v.count = major;
    v.x = x0;
    v.y = y0;
    v.majorSign = (v.xMajor ? x1 > x0 : y1 > y0) ? 1 : -1;
    v.minorSign = (v.xMajor ? y1 > y0 : x1 > x0) ? 1 : -1;
    v.error = major;
    v.twoMinor = 2 * std::int64_t{v.xMajor ? dy : dx};
    v.twoMajor = 2 * std::int64_t{major};
    return v;
}

} // namespace kurvon
