// The drawing by pixel column against the literal one-segment-per-record drawing: every pixel
// must be equal, over adversarial data, windows, sizes, visible lists, cursors and bands. The
// literal drawing is the oracle.

#include "chart/ChartRenderer.h"
#include "chart/FlatRange.h"

#include "ChartTestData.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

void ExpectSameDrawing(std::mt19937& rng, std::uint32_t records, int index) {
    RandomCase k = MakeRandomCase(rng, records);
    WidenFlatPrimary(k.state, k.width, k.height);
    static RasterSurface literal; // reused: a fresh surface per case costs more than the drawing
    static RasterSurface byColumn;
    ASSERT_TRUE(RenderChart(literal, k.state, k.width, k.height, 0xFFFFFF, CurveMode::Literal));
    ASSERT_TRUE(RenderChart(byColumn, k.state, k.width, k.height, 0xFFFFFF, CurveMode::ByColumn));
    const QImage a = literal.View();
    const QImage b = byColumn.View();
    for (int y = 0; a != b && y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            ASSERT_EQ(a.pixel(x, y), b.pixel(x, y))
                << "case " << index << ": " << records << " records, window " << k.state.firstRecord
                << ".." << k.state.lastRecord << ", client " << k.width << " x " << k.height
                << ", at " << x << ", " << y;
}

TEST(DifferentialDrawingTest, SmallAndMediumDataSets) {
    std::mt19937 rng(20261207);
    for (int i = 0; i < 2000 && !HasFailure(); ++i) {
        const std::uint32_t records =
            i % 3 == 0 ? 2 + rng() % 60 : (i % 3 == 1 ? 60 + rng() % 3000 : 3000 + rng() % 60000);
        ExpectSameDrawing(rng, records, i);
    }
}

// Long runs per column reach the upper levels of the summary.
TEST(DifferentialDrawingTest, LongRunsPerColumn) {
    std::mt19937 rng(7);
    for (int i = 0; i < 6 && !HasFailure(); ++i)
        ExpectSameDrawing(rng, 400000 + rng() % 400000, i);
}

} // namespace
} // namespace kurvon
