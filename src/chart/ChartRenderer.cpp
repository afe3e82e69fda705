#include "chart/ChartRenderer.h"

#include "chart/ChartFrame.h"
#include "chart/ChartGeometry.h"
#include "chart/ChartLayout.h"
#include "chart/CurveDrawing.h"
#include "chart/DrawableState.h"
#include "chart/XAxis.h"

#include <vector>

namespace kurvon {
namespace {

constexpr ColorRef kBandColor = 0xEBC8C8; // 200, 200, 235

bool ChartBranch(const ViewState& state, const std::vector<int>& channels) {
    return state.dataLoaded && !channels.empty();
}

void DrawCurve(RasterSurface& s, const ViewState& state, int channel, int primary,
               const ChartArea& a, const XAxis& axis, CurveMode mode, bool byPoint,
               const std::vector<ColumnRun>& runs) {
    const DataSet& data = state.data;
    CurveSource curve;
    curve.values = data.Channel(channel);
    const auto c = static_cast<std::size_t>(channel);
    if (c < data.summaries.size() && data.summaries[c].Covers(data.recordCount))
        curve.summary = &data.summaries[c];
    curve.axis = &axis;
    curve.mapping = DisplayMapping(data, channel, a, primary);
    if (mode == CurveMode::Literal)
        DrawCurveLiteral(s, curve);
    else if (byPoint)
        DrawCurveByPoint(s, curve);
    else
        DrawCurveByColumn(s, curve, runs);
}

void DrawCurvesAndLabels(RasterSurface& s, const ViewState& state, const ChartArea& a,
                         const std::vector<int>& channels, CurveMode mode) {
    const DataSet& data = state.data;
    const XAxis axis(state, a.width);
    const bool byPoint = mode == CurveMode::ByColumn && axis.ShortRuns();
    std::vector<ColumnRun> runs;
    if (mode == CurveMode::ByColumn && !byPoint)
        runs = axis.Runs();
    const int primary = channels.back();
    for (std::size_t i = 0; i + 1 < channels.size(); ++i) {
        s.SetPen(1, data.colors[channels[i]]);
        DrawCurve(s, state, channels[i], primary, a, axis, mode, byPoint, runs);
    }
    s.SetDefaultPen();

    s.SetPen(3, data.colors[primary]);
    DrawCurve(s, state, primary, primary, a, axis, mode, byPoint, runs);
    s.SetDefaultPen();

    DrawValueAxes(s, data, a, channels);
    DrawBottomLabels(s, a, axis.Labels());
}

void DrawReadout(RasterSurface& s, const ViewState& state, const ChartArea& a,
                 const std::vector<int>& channels) {
    const DataSet& data = state.data;
    const int cx = state.cursorX;
    const int cy = state.cursorY;
    if (a.InsideFrame(cx, cy)) {
        DrawValueReadouts(s, data, a, channels, cx, cy);
        // By channel, the x value at the pointer below it.
        const XAxis axis(state, a.width);
        if (const std::optional<double> x = axis.ValueAt(cx)) {
            s.SetTextColor(kChartBlack);
            s.TextOut(cx + 4, cy + 2, ReadoutText(*x, data, axis.Channel()));
        }
    }
    s.SetTextColor(kChartBlack);
}

} // namespace

bool RenderChartBase(RasterSurface& surface, const ViewState& state, int clientWidth,
                     int clientHeight, ColorRef background, CurveMode mode) {
    const ChartArea area = ChartAreaOfClient(clientWidth, clientHeight);
    if (!area.Drawable())
        return false;
    BeginChartSurface(surface, area, background);
    const std::vector<int> channels = UsableVisibleChannels(state);
    if (!ChartBranch(state, channels))
        return true;
    if (state.dragInProgress)
        surface.FillRect(state.dragStartX, kFrameTop, state.dragEndX, area.FrameBottom(),
                         kBandColor);
    if (WindowUsable(state))
        DrawCurvesAndLabels(surface, state, area, channels, mode);
    RedrawFrameEdges(surface, state.data, area, channels);
    return true;
}

// The readout lies under the frame edges, so they are drawn again over it; over the base they
// change nothing.
void DrawCursorLayer(RasterSurface& surface, const ViewState& state, int clientWidth,
                     int clientHeight) {
    const ChartArea area = ChartAreaOfClient(clientWidth, clientHeight);
    const std::vector<int> channels = UsableVisibleChannels(state);
    if (ChartBranch(state, channels)) {
        if (WindowUsable(state)) {
            DrawReadout(surface, state, area, channels);
            RedrawFrameEdges(surface, state.data, area, channels);
        }
    } else if (area.InsideFrame(state.cursorX, state.cursorY)) {
        surface.SetTextColor(kChartBlack);
        surface.TextOut(state.cursorX + 4, state.cursorY - 18, QStringLiteral("NULL"));
    }
    DrawCrosshair(surface, area, state.cursorX, state.cursorY);
}

bool RenderChart(RasterSurface& surface, const ViewState& state, int clientWidth, int clientHeight,
                 ColorRef background, CurveMode mode) {
    if (!RenderChartBase(surface, state, clientWidth, clientHeight, background, mode))
        return false;
    DrawCursorLayer(surface, state, clientWidth, clientHeight);
    return true;
}

} // namespace kurvon
