#include "chart/ChartRenderer.h"

#include "chart/ChartGeometry.h"
#include "chart/ChartLayout.h"
#include "data/NumberFormat.h"
#include "platform/TextDecode.h"

#include <algorithm>
#include <vector>

namespace kurvon {
namespace {

constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kBandColor = 0xEBC8C8; // 200, 200, 235

bool ChannelUsable(const DataSet& data, int channel) {
    if (channel < 0)
        return false;
    const auto c = static_cast<std::size_t>(channel);
    return c < data.channelCount && c < data.columns.size() && c < data.colors.size() &&
           c < data.names.size() && c < data.maxima.size() && c < data.minima.size() &&
           data.columns[c].size() >= data.recordCount;
}

// The visible channels in list order, the last one primary.
std::vector<int> UsableVisibleChannels(const ViewState& state) {
    std::vector<int> channels;
    for (int i = 0; i < state.visible.Size(); ++i) {
        if (ChannelUsable(state.data, state.visible.At(i)))
            channels.push_back(state.visible.At(i));
    }
    return channels;
}

void DrawOutline(RasterSurface& s, const ChartArea& a) {
    s.MoveTo(kFrameLeft, kFrameTop);
    s.LineTo(kFrameLeft, a.FrameBottom());
    s.LineTo(a.FrameRight(), a.FrameBottom());
    s.LineTo(a.FrameRight(), kFrameTop);
    s.LineTo(kFrameLeft, kFrameTop);
}

// One segment per record of the view window, no thinning.
void DrawCurve(RasterSurface& s, const ViewState& state, int channel, float xScale,
               const ValueMapping& mapping) {
    const float* values = state.data.Channel(channel) + state.firstRecord;
    const std::uint32_t span = state.lastRecord - state.firstRecord;
    s.MoveTo(kFrameLeft, mapping.Y(values[0]));
    for (std::uint32_t k = 1; k <= span; ++k)
        s.LineTo(CurveX(k, xScale), mapping.Y(values[k]));
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

void DrawRecordAxis(RasterSurface& s, const ChartArea& a, float xScale, std::uint32_t first) {
    s.SetTextColor(kBlack);
    for (const RecordLabel& label : RecordLabels(a.width, xScale, first)) {
        s.TextOut(label.x - 10, a.height - 18, QString::fromStdString(label.text));
        s.MoveTo(label.x, a.FrameBottom());
        s.LineTo(label.x, a.height - 40);
    }
}

QString ReadoutText(double value, const std::string& name) {
    return QString::fromStdString(FormatFixed2(value)) + QStringLiteral(" _ ") + DecodeText(name);
}

void DrawReadout(RasterSurface& s, const ViewState& state, const ChartArea& a,
                 const std::vector<int>& channels, const ValueMapping& primaryMapping) {
    const DataSet& data = state.data;
    const int primary = channels.back();
    s.SetTextColor(data.colors[primary]);
    const int cx = state.cursorX;
    const int cy = state.cursorY;
    if (a.InsideFrame(cx, cy)) {
        s.TextOut(cx + 4, cy - 18, ReadoutText(primaryMapping.ValueAt(cy), data.names[primary]));
        if (channels.size() >= 2) {
            const int secondary = channels[channels.size() - 2];
            const ValueMapping m =
                MapChannel(a.height, data.maxima[secondary], data.minima[secondary]);
            s.SetTextColor(data.colors[secondary]);
            s.TextOut(cx + 4, cy - 34, ReadoutText(m.ValueAt(cy), data.names[secondary]));
        }
    }
    s.SetTextColor(kBlack);
}

void DrawCurvesAndLabels(RasterSurface& s, ViewState& state, const ChartArea& a,
                         const std::vector<int>& channels) {
    DataSet& data = state.data;
    const float xScale = XScale(a.width, state.lastRecord - state.firstRecord);
    for (std::size_t i = 0; i + 1 < channels.size(); ++i) {
        const int c = channels[i];
        s.SetPen(1, data.colors[c]);
        DrawCurve(s, state, c, xScale, MapChannel(a.height, data.maxima[c], data.minima[c]));
    }
    s.SetDefaultPen();

    const int primary = channels.back();
    if (data.maxima[primary] == data.minima[primary]) {
        const float first = data.Value(primary, 0);
        data.maxima[primary] = first + 1.0f;
        data.minima[primary] = first - 1.0f;
    }
    const ValueMapping primaryMapping =
        MapChannel(a.height, data.maxima[primary], data.minima[primary]);
    s.SetPen(3, data.colors[primary]);
    DrawCurve(s, state, primary, xScale, primaryMapping);
    s.SetDefaultPen();

    DrawValueAxis(s, primaryMapping, data.colors[primary], a.width - 56, a.width - 64,
                  a.FrameRight());
    if (channels.size() >= 2) {
        const int secondary = channels[channels.size() - 2];
        DrawValueAxis(s, MapChannel(a.height, data.maxima[secondary], data.minima[secondary]),
                      data.colors[secondary], 0, kFrameLeft, kFrameLeft + 4);
    }
    DrawRecordAxis(s, a, xScale, state.firstRecord);
    DrawReadout(s, state, a, channels, primaryMapping);
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

void DrawChartBranch(RasterSurface& s, ViewState& state, const ChartArea& a,
                     const std::vector<int>& channels) {
    if (state.dragInProgress)
        s.FillRect(state.dragStartX, kFrameTop, state.dragEndX, a.FrameBottom(), kBandColor);
    const DataSet& data = state.data;
    const bool windowUsable = data.recordCount >= 2 && state.firstRecord < state.lastRecord &&
                              state.lastRecord < data.recordCount;
    if (windowUsable)
        DrawCurvesAndLabels(s, state, a, channels);
    RedrawFrameEdges(s, state, a, channels);
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

bool RenderChart(RasterSurface& surface, ViewState& state, int clientWidth, int clientHeight,
                 ColorRef background) {
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
    if (state.dataLoaded && !channels.empty()) {
        DrawChartBranch(surface, state, area, channels);
    } else if (area.InsideFrame(state.cursorX, state.cursorY)) {
        surface.SetTextColor(kBlack);
        surface.TextOut(state.cursorX + 4, state.cursorY - 18, QStringLiteral("NULL"));
    }
    DrawCrosshair(surface, state, area);
    return true;
}

} // namespace kurvon
