#include "platform/RasterSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <utility>

namespace kurvon {
namespace {

constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kBackground = 0x123456;

using PixelSet = std::set<std::pair<int, int>>;

PixelSet CoveredPixels(const RasterSurface& s, ColorRef background = kWhite) {
    PixelSet set;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.PixelAt(x, y) != background)
                set.insert({x, y});
    return set;
}

// The pixels a line covers by the written rule, with bounds checks instead of clipping, visiting
// only the steps that can reach the surface; x taken as the major axis (pens are symmetric).
PixelSet ExpectedLine(long long w, long long h, int pen, long long x0, long long y0, long long x1,
                      long long y1) {
    const long long limit = RasterSurface::kCoordinateLimit; // coordinates beyond are clamped
    for (long long* v : {&x0, &y0, &x1, &y1})
        *v = std::clamp(*v, -limit, limit);
    const bool xMajor = std::llabs(x1 - x0) >= std::llabs(y1 - y0);
    if (!xMajor) {
        std::swap(x0, y0);
        std::swap(x1, y1);
        std::swap(w, h);
    }
    const long long major = std::llabs(x1 - x0), minor = std::llabs(y1 - y0);
    const int sx = x1 > x0 ? 1 : -1, sy = y1 > y0 ? 1 : -1;
    const int from = pen == 3 ? -1 : 0, to = pen == 1 ? 0 : 1;
    PixelSet set;
    for (long long i = std::max(0LL, sx > 0 ? -2 - x0 : x0 - w - 2);
         i <= std::min(major - 1, sx > 0 ? w + 2 - x0 : x0 + 2); ++i)
        for (int oy = from; oy <= to; ++oy)
            for (int ox = from; ox <= to; ++ox) {
                const long long x = x0 + sx * i + ox;
                const long long y = y0 + sy * ((2 * i * minor + major) / (2 * major)) + oy;
                if (x >= 0 && x < w && y >= 0 && y < h)
                    set.insert(xMajor ? std::pair(int(x), int(y)) : std::pair(int(y), int(x)));
            }
    return set;
}

void ExpectLine(int w, int h, int pen, int x0, int y0, int x1, int y1) {
    RasterSurface s(w, h);
    s.SetPen(pen, kRed);
    s.MoveTo(x0, y0);
    s.LineTo(x1, y1);
    ASSERT_EQ(CoveredPixels(s), ExpectedLine(w, h, pen, x0, y0, x1, y1))
        << "pen " << pen << " from (" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << ")";
}

TEST(RasterSurfaceTest, LinesCoverTheWrittenWalkHoweverFarTheyReach) {
    // The rule itself: start included, end excluded, halves rounded away from the start.
    EXPECT_EQ(ExpectedLine(10, 10, 1, 0, 0, 4, 2), (PixelSet{{0, 0}, {1, 1}, {2, 1}, {3, 2}}));
    EXPECT_EQ(ExpectedLine(10, 10, 1, 4, 2, 0, 0), (PixelSet{{4, 2}, {3, 1}, {2, 1}, {1, 0}}));

    std::mt19937 random(12345);
    for (int spread : {5, 60, 400, 100000}) {
        std::uniform_int_distribution<int> coord(-spread, spread + 30);
        for (int n = 0; n < 300; ++n) {
            const int x0 = coord(random), y0 = coord(random), x1 = coord(random),
                      y1 = coord(random);
            for (int pen = 1; pen <= 3; ++pen)
                ASSERT_NO_FATAL_FAILURE(ExpectLine(37, 23, pen, x0, y0, x1, y1));
        }
    }
    // Hundreds of millions of pixels long, some crossing the surface, some missing it.
    const int far[][4] = {{-500000000, -500000000, 500000000, 499999000},
                          {2000000000, 3, -2000000000, 4}};
    for (const auto& l : far)
        for (int pen = 1; pen <= 3; ++pen)
            ExpectLine(37, 23, pen, l[0], l[1], l[2], l[3]);
}

TEST(RasterSurfaceTest, AWalkPixelStampCoversWhatALineToANeighbourCovers) {
    // Every pixel on and around a 7 x 5 surface, so the clipped stamps of every pen are seen.
    for (int pen = 1; pen <= 3; ++pen)
        for (int y = -3; y <= 7; ++y)
            for (int x = -3; x <= 9; ++x) {
                RasterSurface line(7, 5), stamp(7, 5);
                line.SetPen(pen, kRed);
                line.MoveTo(x, y);
                line.LineTo(x + 1, y - 1);
                stamp.SetPen(pen, kRed);
                stamp.StampWalkPixel(x, y);
                ASSERT_EQ(CoveredPixels(stamp), CoveredPixels(line))
                    << "pen " << pen << " at (" << x << ", " << y << ")";
            }
    RasterSurface empty(0, 0);
    empty.SetPen(3, kRed);
    empty.StampWalkPixel(0, 0); // nothing to cover, nothing written
    EXPECT_EQ(empty.Width(), 0);
}

TEST(RasterSurfaceTest, RectanglesAndOpaqueText) {
    RasterSurface s(8, 6);
    s.FillRect(5, 4, 2, 1, kRed); // corners in either order
    s.FillRect(-1000000, -5, 1000000, 1, kRed);
    PixelSet expected;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            if (y == 0 || (x >= 2 && x < 5))
                expected.insert({x, y});
    EXPECT_EQ(CoveredPixels(s), expected);
    s.SetBackgroundColor(kBackground);
    s.FillBackground();
    EXPECT_TRUE(CoveredPixels(s, kBackground).empty());
    EXPECT_EQ(s.Image().pixel(7, 5), qRgb(0x56, 0x34, 0x12));

    // Opaque text: the cell is filled with the background, the glyphs drawn in the text colour
    // alone.
    s.Resize(120, 40);
    s.FillRect(0, 0, 120, 40, kRed); // something for the cell to cover
    s.TextOut(10, 10, QStringLiteral("NULL 1.50"));
    std::map<ColorRef, int> cell, outside; // no antialiased shades
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            ++(x >= 10 && y >= 10 ? cell : outside)[s.PixelAt(x, y)];
    EXPECT_EQ(outside.size(), 1u);
    EXPECT_TRUE(cell.size() == 3 && cell[0x000000] > 20 && cell[kBackground] > cell[0x000000]);
    EXPECT_EQ(s.PixelAt(10, 10), kBackground); // the cell starts at the given point

    s.TextOut(-2000000000, 5, QStringLiteral("x")); // far away: nothing, no failure
    s.TextOut(115, 35, QStringLiteral("clipped at the corner"));
}

} // namespace
} // namespace kurvon
