#include "chart/ChartRenderer.h"

#include "chart/ChartGeometry.h"
#include "chart/ChartLayout.h"
#include "chart/CurveDrawing.h"
#include "chart/DrawableState.h"
#include "chart/FlatRange.h"
#include "chart/XAxis.h"
#include "data/NumberFormat.h"
#include "platform/TextDecode.h"

#include <algorithm>
#include <vector>

namespace kurvon {
namespace {

constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kBandColor = 0xEBC8C8; // 200, 200, 235

bool ChartBranch(const ViewState& state, const std::vector<int>& channels) {
    return state.dataLoaded && !channels.empty();
}

// The channel's range as FlatRange.h widens it for display.
ValueMapping MappingOf(const DataSet& data, int channel, const ChartArea& a, int primary) {
    const auto [maximum, minimum] = DisplayRange(data, channel, channel == primary);
    return MapChannel(a.height, maximum, minimum);
}

void DrawOutline(RasterSurface& s, const ChartArea& a) {
    s.MoveTo(kFrameLeft, kFrameTop);
    s.LineTo(kFrameLeft, a.FrameBottom());
    s.LineTo(a.FrameRight(), a.FrameBottom());
    s.LineTo(a.FrameRight(), kFrameTop);
    s.LineTo(kFrameLeft, kFrameTop);
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
    curve.mapping = MappingOf(data, channel, a, primary);
    if (mode == CurveMode::Literal)
        DrawCurveLiteral(s, curve);
    else if (byPoint)
        DrawCurveByPoint(s, curve);
    else
        DrawCurveByColumn(s, curve, runs);
}

void DrawValueAxis(RasterSurface& s, const ValueMapping& mapping, ColorRef color, int textX,
                   int tickFrom, int tickTo) {
    s.SetPen(1, color);
    for (const ValueLabel& label : ValueLabels(mapping)) {
        s.SetTextColor(color);
        s.TextOut(textX, label.y - 8, QString::fromStdString(label.text));
        s.MoveTo(tickFrom, label.y);
        s.LineTo(tickTo, label.y);
    }
    s.SetDefaultPen();
}

void DrawXAxisLabels(RasterSurface& s, const ChartArea& a, const XAxis& axis) {
    s.SetTextColor(kBlack);
    for (const RecordLabel& label : axis.Labels()) {
        s.TextOut(label.x - 10, a.FrameBottom() + 2, QString::fromStdString(label.text));
        s.MoveTo(label.x, a.FrameBottom());
        s.LineTo(label.x, a.FrameBottom() - 20);
    }
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

    DrawValueAxis(s, MappingOf(data, primary, a, primary), data.colors[primary], a.FrameRight() + 4,
                  a.FrameRight() - 4, a.FrameRight());
    if (channels.size() >= 2) {
        const int secondary = channels[channels.size() - 2];
        DrawValueAxis(s, MappingOf(data, secondary, a, primary), data.colors[secondary], 0,
                      kFrameLeft, kFrameLeft + 4);
    }
    DrawXAxisLabels(s, a, axis);
}

QString ReadoutText(double value, const DataSet& data, int channel) {
    return QString::fromStdString(FormatFixed2(value)) + QStringLiteral(" _ ") +
           DecodeText(data.names[channel], data.nameEncoding);
}

void DrawReadout(RasterSurface& s, const ViewState& state, const ChartArea& a,
                 const std::vector<int>& channels) {
    const DataSet& data = state.data;
    const int primary = channels.back();
    s.SetTextColor(data.colors[primary]);
    const int cx = state.cursorX;
    const int cy = state.cursorY;
    if (a.InsideFrame(cx, cy)) {
        const ValueMapping m = MappingOf(data, primary, a, primary);
        s.TextOut(cx + 4, cy - 18, ReadoutText(m.ValueAt(cy), data, primary));
        if (channels.size() >= 2) {
            const int secondary = channels[channels.size() - 2];
            const ValueMapping ms = MappingOf(data, secondary, a, primary);
            s.SetTextColor(data.colors[secondary]);
            s.TextOut(cx + 4, cy - 34, ReadoutText(ms.ValueAt(cy), data, secondary));
        }
        // By channel, the x value at the pointer below it.
        const XAxis axis(state, a.width);
        if (const std::optional<double> x = axis.ValueAt(cx)) {
            s.SetTextColor(kBlack);
            s.TextOut(cx + 4, cy + 2, ReadoutText(*x, data, axis.Channel()));
        }
    }
    s.SetTextColor(kBlack);
}

void RedrawFrameEdges(RasterSurface& s, const ViewState& state, const ChartArea& a,
                      const std::vector<int>& channels) {
    const DataSet& data = state.data;
    if (channels.size() >= 2)
        s.SetPen(2, data.colors[channels[channels.size() - 2]]);
    else
        s.SetPen(1, kBlack);
    s.MoveTo(kFrameLeft, kFrameTop);
    s.LineTo(kFrameLeft, a.FrameBottom());
    s.SetDefaultPen();
    s.LineTo(a.FrameRight(), a.FrameBottom());
    s.SetPen(2, data.colors[channels.back()]);
    s.LineTo(a.FrameRight(), kFrameTop);
    s.SetDefaultPen();
    s.LineTo(kFrameLeft, kFrameTop);
}

void DrawCrosshair(RasterSurface& s, const ViewState& state, const ChartArea& a) {
    if (!a.InsideFrame(state.cursorX, state.cursorY))
        return;
    s.SetDefaultPen();
    s.MoveTo(state.cursorX, kFrameTop);
    s.LineTo(state.cursorX, a.FrameBottom());
    s.MoveTo(kFrameLeft, state.cursorY);
    s.LineTo(a.FrameRight(), state.cursorY);
}

} // namespace

bool RenderChartBase(RasterSurface& surface, const ViewState& state, int clientWidth,
                     int clientHeight, ColorRef background, CurveMode mode) {
    const ChartArea area = ChartAreaOfClient(clientWidth, clientHeight);
    if (!area.Drawable())
        return false;
    surface.SetBackgroundColor(background);
    if (surface.Width() != std::min(area.width, RasterSurface::kMaxSide) ||
        surface.Height() != std::min(area.height, RasterSurface::kMaxSide))
        surface.Resize(area.width, area.height);
    surface.FillBackground();
    surface.SetDefaultPen();
    surface.SetTextColor(kBlack);

    DrawOutline(surface, area);
    const std::vector<int> channels = UsableVisibleChannels(state);
    if (!ChartBranch(state, channels))
        return true;
    if (state.dragInProgress)
        surface.FillRect(state.dragStartX, kFrameTop, state.dragEndX, area.FrameBottom(),
                         kBandColor);
    if (WindowUsable(state))
        DrawCurvesAndLabels(surface, state, area, channels, mode);
    RedrawFrameEdges(surface, state, area, channels);
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
            RedrawFrameEdges(surface, state, area, channels);
        }
    } else if (area.InsideFrame(state.cursorX, state.cursorY)) {
        surface.SetTextColor(kBlack);
        surface.TextOut(state.cursorX + 4, state.cursorY - 18, QStringLiteral("NULL"));
    }
    DrawCrosshair(surface, state, area);
}

bool RenderChart(RasterSurface& surface, const ViewState& state, int clientWidth, int clientHeight,
                 ColorRef background, CurveMode mode) {
    if (!RenderChartBase(surface, state, clientWidth, clientHeight, background, mode))
        return false;
    DrawCursorLayer(surface, state, clientWidth, clientHeight);
    return true;
}

} // namespace kurvon
