// The drawing by pixel column against the literal one-segment-per-record drawing: every pixel
// and every byte of the picture file must be equal, over adversarial data, windows, sizes,
// visible lists, cursors and bands. The literal drawing is the oracle.

#include "chart/ChartRenderer.h"
#include "chart/FlatRange.h"
#include "chart/PictureFile.h"

#include "ChartTestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

namespace kurvon {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr int kKinds = 11;

// One adversarial channel of `n` records.
std::vector<float> MakeChannel(int kind, std::uint32_t n, std::mt19937& rng) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<float> v(n);
    const float level = unit(rng) * 20.0f - 10.0f;
    const std::uint32_t period = 1 + rng() % std::max<std::uint32_t>(1, n / 3);
    float step = level;
    for (std::uint32_t r = 0; r < n; ++r) {
        const int k = kind == 10 ? static_cast<int>(rng() % 10) : kind;
        switch (k) {
        case 0: // noise
            v[r] = unit(rng) * 10.0f - 5.0f;
            break;
        case 1: // steps
            if (rng() % 97 == 0)
                step = unit(rng) * 100.0f - 50.0f;
            v[r] = step;
            break;
        case 2: // isolated spikes on a flat line
            v[r] = rng() % 500 == 0 ? (rng() % 2 ? 1000.0f : -1000.0f) : 1.0f;
            break;
        case 3: // constant
            v[r] = level;
            break;
        case 4: // near the float limits
            v[r] = (rng() % 2 ? 1.0f : -1.0f) * 3.4e38f * (0.99f + 0.01f * unit(rng));
            break;
        case 5: // finite with the odd infinity or NaN
            v[r] =
                rng() % 300 == 0 ? (rng() % 3 == 0 ? kNaN : (rng() % 2 ? kInf : -kInf)) : unit(rng);
            break;
        case 6: // variations of 1e-6 around 1
            v[r] = 1.0f + static_cast<float>(static_cast<int>(rng() % 5) - 2) * 1e-6f;
            break;
        case 7: // ramp
            v[r] = level + static_cast<float>(r) * 0.01f;
            break;
        case 8: // saw teeth
            v[r] = static_cast<float>(r % period);
            break;
        default: // long flat stretches ending in a jump: the last column's final row
            v[r] = (r + 1) % period == 0 ? level + 5.0f : level;
        }
    }
    return v;
}

// As the loader leaves them, or now and then something no load gives: flat, inverted,
// infinite or far too narrow ranges.
void SetExtremes(DataSet& d, std::uint32_t c, std::mt19937& rng) {
    const std::vector<float>& v = d.columns[c];
    float lo = v[0], hi = v[0];
    for (float x : v) {
        hi = x > hi ? x : hi;
        lo = x < lo ? x : lo;
    }
    lo -= 1.0f;
    hi += 1.0f;
    switch (rng() % 10) {
    case 0:
        lo = hi = v[rng() % v.size()];
        break;
    case 1:
        std::swap(lo, hi);
        break;
    case 2:
        hi = kInf;
        break;
    case 3:
        lo = 1.0f;
        hi = std::nextafter(1.0f, 2.0f);
        break;
    default:
        break;
    }
    d.minima[c] = lo;
    d.maxima[c] = hi;
}

struct Case {
    ViewState state;
    int width = 0;
    int height = 0;
};

Case MakeCase(std::mt19937& rng, std::uint32_t records) {
    const std::uint32_t channels = 1 + rng() % 6;
    std::vector<TestChannel> made(channels);
    for (std::uint32_t c = 0; c < channels; ++c)
        made[c].color = rng() & 0xFFFFFF;
    Case k;
    k.state = MakeLoadedState(records, made);
    DataSet& d = k.state.data;
    for (std::uint32_t c = 0; c < channels; ++c) {
        d.columns[c] = MakeChannel(static_cast<int>(rng() % kKinds), records, rng);
        SetExtremes(d, c, rng);
    }
    BuildSummaries(d);

    std::vector<int> order(channels);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), rng);
    order.resize(1 + rng() % channels);
    for (int c : order)
        k.state.visible.Append(c);

    // Window widths spread evenly over the orders of magnitude, 1 record to all.
    const double exponent = std::uniform_real_distribution<double>(0.0, 1.0)(rng);
    const auto span = std::clamp<std::uint32_t>(
        static_cast<std::uint32_t>(std::pow(static_cast<double>(records - 1), exponent)), 1,
        records - 1);
    k.state.firstRecord = rng() % (records - span);
    k.state.lastRecord = k.state.firstRecord + span;

    // Sizes from the smallest that draws (w 60, h 20) to 2600 wide, small ones often.
    const bool small = rng() % 4 == 0;
    k.width =
        300 + (small ? 60 + static_cast<int>(rng() % 80) : 60 + static_cast<int>(rng() % 2541));
    k.height = small ? 20 + static_cast<int>(rng() % 20) : 20 + static_cast<int>(rng() % 900);
    const int w = k.width - 300;
    k.state.cursorX = static_cast<int>(rng() % static_cast<unsigned>(w + 40)) - 20;
    k.state.cursorY = static_cast<int>(rng() % static_cast<unsigned>(k.height + 40)) - 20;
    if (rng() % 2) {
        k.state.dragInProgress = true;
        k.state.dragStartX =
            60 + static_cast<int>(rng() % static_cast<unsigned>(std::max(1, w - 119)));
        k.state.dragEndX =
            60 + static_cast<int>(rng() % static_cast<unsigned>(std::max(1, w - 119)));
    }
    return k;
}

void ExpectSameDrawing(Case& k, int index, bool compareFiles) {
    WidenFlatPrimary(k.state, k.width, k.height);
    static RasterSurface literal; // reused: a fresh surface per case costs more than the drawing
    static RasterSurface byColumn;
    ASSERT_TRUE(RenderChart(literal, k.state, k.width, k.height, 0xFFFFFF, CurveMode::Literal));
    ASSERT_TRUE(RenderChart(byColumn, k.state, k.width, k.height, 0xFFFFFF, CurveMode::ByColumn));
    const QImage a = literal.View();
    const QImage b = byColumn.View();
    int differing = 0;
    int firstX = -1, firstY = -1;
    for (int y = 0; a != b && y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y) && differing++ == 0) {
                firstX = x;
                firstY = y;
            }
        }
    }
    EXPECT_EQ(differing, 0) << "case " << index << ": " << k.state.data.recordCount
                            << " records, window " << k.state.firstRecord << ".."
                            << k.state.lastRecord << ", client " << k.width << " x " << k.height
                            << ", first difference at " << firstX << ", " << firstY;
    if (compareFiles) {
        EXPECT_EQ(EncodeBmp24(a).bytes, EncodeBmp24(b).bytes) << "case " << index;
    }
}

TEST(DifferentialDrawingTest, SmallAndMediumDataSets) {
    std::mt19937 rng(20261207);
    for (int i = 0; i < 2000; ++i) {
        const std::uint32_t records =
            i % 3 == 0 ? 2 + rng() % 60 : (i % 3 == 1 ? 60 + rng() % 3000 : 3000 + rng() % 60000);
        Case k = MakeCase(rng, records);
        ExpectSameDrawing(k, i, i % 50 == 0);
        if (HasFailure())
            return;
    }
}

// Long runs per column reach the upper levels of the summary.
TEST(DifferentialDrawingTest, LongRunsPerColumn) {
    std::mt19937 rng(7);
    for (int i = 0; i < 6; ++i) {
        Case k = MakeCase(rng, 400000 + rng() % 400000);
        ExpectSameDrawing(k, i, true);
        if (HasFailure())
            return;
    }
}

} // namespace
} // namespace kurvon
