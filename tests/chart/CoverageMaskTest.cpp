// Masks painted latest first, each where no later one painted, against the same lines drawn in
// order on the surface: the masks' own line walk (runs by column, steep runs measured at once)
// and their clipping must give the surface's pixels exactly.

#include "chart/CoverageMask.h"
#include "PixelCompare.h"

#include <array>
#include <random>
#include <vector>

namespace kurvon {
namespace {

struct Line {
    int pen;
    std::vector<std::array<int, 2>> points;
};

int Coordinate(std::mt19937& rng, int side) {
    switch (rng() % 8) {
    case 0: // far off, up to the clamp
        return static_cast<int>(rng() % (1u << 31)) - (1 << 30);
    case 1: // just around the edges
        return static_cast<int>(rng() % 7) - 3 + (rng() % 2 ? side : 0);
    default:
        return static_cast<int>(rng() % static_cast<unsigned>(side + 8)) - 4;
    }
}

TEST(CoverageMask, LaterFirstIntoMasksPaintsWhatInOrderOnTheSurfaceDoes) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 300; ++trial) {
        const int w = 1 + static_cast<int>(rng() % 150);
        const int h = 1 + static_cast<int>(rng() % 150);
        // Curves of a few colours: long polylines with steep, flat and vertical steps.
        std::vector<Line> curves(1 + rng() % 5);
        for (Line& curve : curves) {
            curve.pen = 1 + static_cast<int>(rng() % 3);
            int x = Coordinate(rng, w);
            int y = Coordinate(rng, h);
            for (int i = 0, n = 2 + static_cast<int>(rng() % 40); i < n; ++i) {
                curve.points.push_back({x, y});
                switch (rng() % 4) {
                case 0:
                    y += static_cast<int>(rng() % 61) - 30;
                    break; // vertical
                case 1:
                    x += static_cast<int>(rng() % 5) - 2, y += static_cast<int>(rng() % 81) - 40;
                    break;
                case 2:
                    x += static_cast<int>(rng() % 81) - 40, y += static_cast<int>(rng() % 5) - 2;
                    break;
                default:
                    x = Coordinate(rng, w), y = Coordinate(rng, h);
                }
            }
        }
        RasterSurface inOrder(w, h);
        RasterSurface latestFirst(w, h);
        for (std::size_t c = 0; c < curves.size(); ++c) {
            inOrder.SetPen(curves[c].pen, 0x102030 * (c + 1));
            inOrder.MoveTo(curves[c].points[0][0], curves[c].points[0][1]);
            for (const auto& p : curves[c].points)
                inOrder.LineTo(p[0], p[1]);
        }
        CoverageMask mask(w, h);
        CoverageMask taken(w, h);
        for (std::size_t c = curves.size(); c-- > 0;) {
            mask.SetPenWidth(curves[c].pen);
            mask.MoveTo(curves[c].points[0][0], curves[c].points[0][1]);
            for (const auto& p : curves[c].points)
                mask.LineTo(p[0], p[1]);
            mask.PaintUntaken(latestFirst, 0x102030 * (c + 1), taken);
        }
        ASSERT_NO_FATAL_FAILURE(ExpectSame(inOrder.View(), latestFirst.View()))
            << "trial " << trial;
    }
}

} // namespace
} // namespace kurvon
