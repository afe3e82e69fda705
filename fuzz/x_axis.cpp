// The chart against an x channel over arbitrary data: rising, back-and-forth, broken or flat x,
// any y, extremes, window, size and visible list. Both curve drawings give the same pixels (and
// so does drawing point by point, whatever the runs), the cached base plus the cursor layer
// gives the full paint, and a drag or a wheel notch leaves a window inside the data set.

#include "chart/ChartRenderer.h"
#include "chart/CurveDrawing.h"
#include "chart/DragSelection.h"
#include "chart/DrawableState.h"
#include "chart/WheelZoom.h"

#include "FuzzCheck.h"
#include "FuzzQt.h"

#include <QGuiApplication>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>

namespace {

using namespace kurvon;

float ConsumeValue(FuzzedDataProvider& in, float previous) {
    const std::uint8_t kind = in.ConsumeIntegral<std::uint8_t>();
    if (kind < 160)
        return static_cast<float>(static_cast<std::int8_t>(kind * 7)) / 4.0f;
    if (kind < 200) // rising by a little
        return previous + static_cast<float>(kind - 160) / 8.0f;
    if (kind < 230) // anything a float can hold: huge, tiny, infinite, NaN
        return std::bit_cast<float>(in.ConsumeIntegral<std::uint32_t>());
    return previous; // flat stretches
}

ViewState ConsumeState(FuzzedDataProvider& in) {
    ViewState state;
    DataSet& d = state.data;
    d.recordCount = in.ConsumeIntegralInRange<std::uint32_t>(0, 900);
    d.channelCount = in.ConsumeIntegralInRange<std::uint32_t>(1, 4);
    d.columns.assign(d.channelCount, std::vector<float>(d.recordCount));
    for (std::uint32_t c = 0; c < d.channelCount; ++c) {
        const bool ramp = in.ConsumeBool(); // a clock: each record one step on
        float value = 0.0f;
        for (std::uint32_t r = 0; r < d.recordCount; ++r)
            d.columns[c][r] = value = ramp ? static_cast<float>(r) : ConsumeValue(in, value);
        d.colors.push_back(in.ConsumeIntegral<std::uint32_t>() & 0xFFFFFF);
        d.names.push_back(in.ConsumeBytesAsString(in.ConsumeIntegralInRange(0, 6)));
        if (in.ConsumeBool() && d.recordCount > 0) {
            const auto [lo, hi] = std::minmax_element(d.columns[c].begin(), d.columns[c].end());
            d.minima.push_back(*lo);
            d.maxima.push_back(*hi);
        } else {
            d.minima.push_back(ConsumeValue(in, 0.0f));
            d.maxima.push_back(ConsumeValue(in, 0.0f));
        }
    }
    BuildSummaries(d);
    for (int n = in.ConsumeIntegralInRange(1, 5); n > 0; --n)
        state.visible.Append(in.ConsumeIntegralInRange<int>(-1, static_cast<int>(d.channelCount)));
    state.xChannel = in.ConsumeIntegralInRange<int>(-1, static_cast<int>(d.channelCount));
    state.dataLoaded = in.ConsumeIntegralInRange(0, 7) != 0;
    const std::uint32_t limit = d.recordCount + 2;
    state.firstRecord = in.ConsumeIntegralInRange<std::uint32_t>(0, limit);
    state.lastRecord = in.ConsumeIntegralInRange<std::uint32_t>(0, limit);
    state.cursorX = in.ConsumeIntegralInRange(-1100, 1100);
    state.cursorY = in.ConsumeIntegralInRange(-1100, 1100);
    state.dragInProgress = in.ConsumeBool();
    state.dragStartX = in.ConsumeIntegralInRange(-100, 1100);
    state.dragEndX = in.ConsumeIntegralInRange(-100, 1100);
    return state;
}

bool SamePixels(RasterSurface& a, RasterSurface& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() && a.View() == b.View();
}

// Point by point, whatever the runs, each visible channel with pens 1 to 3 in turn gives the
// literal drawing's pixels.
bool SameCurvesByPoint(const ViewState& state, int width, int height) {
    static RasterSurface literal, byPoint;
    if (!WindowUsable(state) || width <= 0 || height <= 0)
        return true;
    const XAxis axis(state, width);
    for (RasterSurface* s : {&literal, &byPoint}) {
        s->Resize(width, height);
        s->FillBackground();
    }
    const DataSet& d = state.data;
    for (int i = 0; i < state.visible.Size(); ++i) {
        const int c = state.visible.At(i);
        if (!ChannelUsable(d, c))
            continue;
        CurveSource curve;
        curve.values = d.Channel(static_cast<std::uint32_t>(c));
        curve.summary = &d.summaries[static_cast<std::size_t>(c)];
        curve.axis = &axis;
        curve.mapping = MapChannel(height, d.maxima[c], d.minima[c]);
        literal.SetPen(1 + i % 3, d.colors[c]);
        byPoint.SetPen(1 + i % 3, d.colors[c]);
        DrawCurveLiteral(literal, curve);
        DrawCurveByPoint(byPoint, curve);
    }
    return SamePixels(literal, byPoint);
}

bool WindowInside(const ViewState& s) {
    return s.firstRecord < s.lastRecord && s.lastRecord < s.data.recordCount;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartOffscreenApp<QGuiApplication>(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int clientWidth = 300 + in.ConsumeIntegralInRange(0, 600);
    const int clientHeight = in.ConsumeIntegralInRange(0, 400);
    const int dragTo = in.ConsumeIntegralInRange(-100, 1100);
    const int notches = in.ConsumeIntegralInRange(-3, 3);
    ViewState state = ConsumeState(in);

    static RasterSurface literal, byColumn, layered;
    const bool drawn =
        RenderChart(literal, state, clientWidth, clientHeight, 0xFFFFFF, CurveMode::Literal);
    FUZZ_CHECK(drawn == RenderChart(byColumn, state, clientWidth, clientHeight));
    if (drawn) {
        FUZZ_CHECK(SamePixels(literal, byColumn));
        FUZZ_CHECK(RenderChartBase(layered, state, clientWidth, clientHeight, 0xFFFFFF,
                                   CurveMode::ByColumn));
        DrawCursorLayer(layered, state, clientWidth, clientHeight);
        FUZZ_CHECK(SamePixels(layered, byColumn));
    }
    FUZZ_CHECK(SameCurvesByPoint(state, clientWidth - 300, clientHeight));

    // From a window inside the data set, a drag and the wheel keep it there.
    const bool inside = state.dataLoaded && !state.visible.Empty() && WindowInside(state);
    const int chartWidth = clientWidth - 300;
    EndDrag(state, dragTo, chartWidth);
    WheelZoom(state, notches, state.cursorX, chartWidth);
    FUZZ_CHECK(!inside || WindowInside(state));
    return 0;
}
