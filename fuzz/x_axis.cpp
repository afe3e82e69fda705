// The chart against an x channel over arbitrary data: rising, back-and-forth, broken or flat x,
// any y, extremes, window, size and visible list. Both curve drawings give the same pixels (and
// so does drawing point by point, whatever the runs), the cached base plus the cursor layer
// gives the full paint, and a drag or a wheel notch leaves a window inside the data set.

#include "chart/ChartRenderer.h"
#include "chart/CurveDrawing.h"
#include "chart/DragSelection.h"
#include "chart/DrawableState.h"
#include "chart/WheelZoom.h"

#include "FuzzChart.h"
#include "FuzzCheck.h"
#include "FuzzQt.h"

#include <QGuiApplication>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

using namespace kurvon;

ViewState ConsumeState(FuzzedDataProvider& in) {
    ViewState state;
    ConsumeChartData(in, state, 900);
    BuildSummaries(state.data);
    state.dataLoaded = in.ConsumeIntegralInRange(0, 7) != 0;
    const std::uint32_t limit = state.data.recordCount + 2;
    state.firstRecord = in.ConsumeIntegralInRange<std::uint32_t>(0, limit);
    state.lastRecord = in.ConsumeIntegralInRange<std::uint32_t>(0, limit);
    state.cursorX = in.ConsumeIntegralInRange(-1100, 1100);
    state.cursorY = in.ConsumeIntegralInRange(-1100, 1100);
    state.dragInProgress = in.ConsumeBool();
    state.dragStartX = in.ConsumeIntegralInRange(-100, 1100);
    state.dragEndX = in.ConsumeIntegralInRange(-100, 1100);
    return state;
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
