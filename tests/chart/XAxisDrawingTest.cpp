// The x axis by channel: a channel holding the record numbers draws exactly the record axis's
// curves; and over random states with rising, back-and-forth, broken and flat x channels the
// drawing by pixel column gives the literal drawing's pixels, the cached paint the full one.

#include "chart/ChartPaintCache.h"
#include "chart/ChartRenderer.h"
#include "chart/CurveDrawing.h"
#include "chart/DrawableState.h"
#include "chart/XAxis.h"

#include "ChartTestData.h"
#include "PixelCompare.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

// The visible channels' curves alone, as the renderer draws them (earlier ones 1 pixel wide,
// the primary 3), over the state's x axis.
void DrawCurves(RasterSurface& s, const ViewState& state, int width, int height, CurveMode mode) {
    s.Resize(width, height);
    s.FillBackground();
    const XAxis axis(state, width);
    const std::vector<ColumnRun> runs = axis.Runs();
    for (int i = 0; i < state.visible.Size(); ++i) {
        const int c = state.visible.At(i);
        s.SetPen(i + 1 == state.visible.Size() ? 3 : 1, state.data.colors[c]);
        CurveSource curve;
        curve.values = state.data.Channel(c);
        curve.summary = &state.data.summaries[c];
        curve.axis = &axis;
        curve.mapping = MapChannel(height, state.data.maxima[c], state.data.minima[c]);
        if (mode == CurveMode::Literal)
            DrawCurveLiteral(s, curve);
        else
            DrawCurveByColumn(s, curve, runs);
    }
}

TEST(XAxisDrawingTest, RecordNumbersAsTheXChannelDrawTheRecordAxisCurves) {
    std::mt19937 rng(19);
    static RasterSurface byRecord, byChannel;
    for (int i = 0; i < 300 && !HasFailure(); ++i) {
        RandomCase k = MakeRandomCase(rng, 2 + rng() % (i % 2 ? 60000 : 300));
        ViewState& s = k.state;
        if (!WindowUsable(s))
            continue;
        std::vector<int> visible;
        for (int v = 0; v < s.visible.Size(); ++v)
            if (ChannelUsable(s.data, s.visible.At(v)))
                visible.push_back(s.visible.At(v));
        s.visible.Clear();
        for (int c : visible)
            s.visible.Append(c);
        // One more channel holding the record numbers.
        DataSet& d = s.data;
        d.columns.emplace_back(d.recordCount);
        std::iota(d.columns.back().begin(), d.columns.back().end(), 0.0f);
        d.colors.push_back(0);
        d.names.push_back("r");
        d.minima.push_back(0.0f);
        d.maxima.push_back(1.0f);
        ++d.channelCount;
        BuildSummaries(d);
        const int width = k.width - kListStripWidth;
        for (CurveMode mode : {CurveMode::Literal, CurveMode::ByColumn}) {
            SCOPED_TRACE(testing::Message() << "case " << i << " mode " << int(mode));
            s.xChannel = -1;
            DrawCurves(byRecord, s, width, k.height, mode);
            s.xChannel = static_cast<int>(d.channelCount - 1);
            DrawCurves(byChannel, s, width, k.height, mode);
            ASSERT_NO_FATAL_FAILURE(ExpectSame(byRecord.View(), byChannel.View()));
        }
    }
}

void Change(RandomCase& k, std::mt19937& rng) {
    ViewState& s = k.state;
    switch (rng() % 6) {
    case 0:
        s.firstRecord = rng() % std::max<std::uint32_t>(1, s.lastRecord);
        break;
    case 1:
        s.xChannel = static_cast<int>(rng() % s.data.channelCount);
        break;
    case 2: {
        const std::uint32_t c = static_cast<std::uint32_t>(std::max(0, s.xChannel));
        if (c < s.data.channelCount) {
            s.data.columns[c] = RandomXChannel(s.data.recordCount, rng);
            BuildSummaries(s.data);
            ++s.dataGeneration;
        }
        break;
    }
    case 3:
        (rng() % 2 ? k.width : k.height) = 15 + static_cast<int>(rng() % 1500);
        break;
    case 4:
        std::tie(s.cursorX, s.cursorY) = std::pair(int(rng() % 2000) - 300, int(rng() % 900) - 20);
        break;
    default:
        s.xChannel = -1;
    }
}

void Compare(std::mt19937& rng, std::uint32_t records, ChartPaintCache& cache) {
    static RasterSurface literal, byColumn, cached;
    RandomCase k = MakeRandomCase(rng, records);
    ViewState& s = k.state;
    const std::uint32_t x = rng() % s.data.channelCount;
    s.data.columns[x] = RandomXChannel(records, rng);
    BuildSummaries(s.data);
    s.xChannel = rng() % 16 ? static_cast<int>(x) : static_cast<int>(s.data.channelCount);
    for (int change = 0; change < 3; ++change, Change(k, rng)) {
        SCOPED_TRACE(testing::Message()
                     << records << " records, x " << s.xChannel << ", change " << change);
        const bool drawn = RenderChart(literal, s, k.width, k.height, 0xFFFFFF, CurveMode::Literal);
        ASSERT_EQ(RenderChart(byColumn, s, k.width, k.height), drawn);
        ASSERT_EQ(cache.Paint(cached, s, k.width, k.height), drawn);
        ASSERT_NO_FATAL_FAILURE(ExpectSame(literal.View(), byColumn.View()));
        ASSERT_NO_FATAL_FAILURE(ExpectSame(byColumn.View(), cached.View()));
    }
}

TEST(XAxisDrawingTest, ByColumnMatchesLiteralOverRandomXChannels) {
    std::mt19937 rng(2026);
    ChartPaintCache cache;
    const std::uint32_t sizes[] = {60, 3000, 60000};
    for (int i = 0; i < 1000 && !HasFailure(); ++i)
        Compare(rng, 2 + rng() % sizes[i % 3], cache);
}

TEST(XAxisDrawingTest, LongRunsPerColumn) {
    std::mt19937 rng(8);
    ChartPaintCache cache;
    for (int i = 0; i < 8 && !HasFailure(); ++i)
        Compare(rng, 400000 + rng() % 400000, cache);
}

TEST(XAxisDrawingTest, ByPointMatchesLiteralOnDenseRetracedCurves) {
    std::mt19937 rng(77);
    static RasterSurface literal, byPoint;
    for (int i = 0; i < 40 && !HasFailure(); ++i) {
        ViewState s = DenseCycling(rng, 4096 + rng() % 200000);
        const std::uint32_t n = s.data.recordCount;
        if (i % 2) { // an unaligned window somewhere inside
            s.firstRecord = rng() % (n / 2);
            s.lastRecord = s.firstRecord + 1 + rng() % (n - 1 - s.firstRecord);
        }
        const int width = 60 + static_cast<int>(rng() % (i % 4 ? 1200 : 100));
        const int height = 30 + static_cast<int>(rng() % (i % 4 ? 800 : 60));
        const XAxis axis(s, width);
        for (RasterSurface* surface : {&literal, &byPoint}) {
            surface->Resize(width, height);
            surface->FillBackground();
        }
        for (int c = 1; c < 4; ++c) {
            SCOPED_TRACE(testing::Message() << "case " << i << " channel " << c << " window "
                                            << s.firstRecord << ".." << s.lastRecord);
            const int pen = 1 + static_cast<int>(rng() % 3);
            ASSERT_NO_FATAL_FAILURE(
                ExpectByPointLikeLiteral(literal, byPoint, s.data, axis, c, height, pen));
        }
    }
}

// Long windows are walked in two halves on two threads. Curves that run along and past the top
// and bottom edges (a wide pen stamps in from outside, segments leave the surface) keep the
// literal drawing's pixels, whatever the pen and the split.
TEST(XAxisDrawingTest, HalvesOnTwoThreadsMatchLiteralAtTheEdges) {
    std::mt19937 rng(31);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    static RasterSurface literal, byPoint;
    for (int i = 0; i < 8 && !HasFailure(); ++i) {
        ViewState s = DenseCycling(rng, 70000 + rng() % 150000);
        const int width = 200 + static_cast<int>(rng() % 800);
        const int height = 30 + static_cast<int>(rng() % 90);
        const XAxis axis(s, width);
        for (RasterSurface* surface : {&literal, &byPoint}) {
            surface->Resize(width, height);
            surface->FillBackground();
        }
        const ValueMapping mapping = MapChannel(height, 10.0f, 0.0f);
        std::vector<float> values(s.data.recordCount);
        for (int pen = 1; pen <= 3; ++pen) {
            // Rows a few pixels either side of the top or the bottom edge, now and then far off.
            const double edge = pen == 2 ? height - 1 : -1;
            for (float& v : values)
                v = static_cast<float>(mapping.ValueAt(
                    static_cast<int>(edge + (rng() % 500 ? 8.0 * unit(rng) - 4.0 : 400.0))));
            SCOPED_TRACE(testing::Message() << "case " << i << " pen " << pen);
            CurveSource curve;
            curve.values = values.data();
            curve.axis = &axis;
            curve.mapping = mapping;
            literal.SetPen(pen, 0x0000FFu * static_cast<ColorRef>(pen));
            byPoint.SetPen(pen, 0x0000FFu * static_cast<ColorRef>(pen));
            DrawCurveLiteral(literal, curve);
            DrawCurveByPoint(byPoint, curve);
            ASSERT_NO_FATAL_FAILURE(ExpectSame(literal.View(), byPoint.View()));
        }
    }
}

} // namespace
} // namespace kurvon
