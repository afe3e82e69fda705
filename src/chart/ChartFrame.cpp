#include "chart/ChartFrame.h"

#include "chart/FlatRange.h"
#include "data/NumberFormat.h"
#include "platform/TextDecode.h"

#include <algorithm>

namespace kurvon {
namespace {

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

} // namespace

ValueMapping DisplayMapping(const DataSet& data, int channel, const ChartArea& a, int primary) {
    const auto [maximum, minimum] = DisplayRange(data, channel, channel == primary);
    return MapChannel(a.height, maximum, minimum);
}

void BeginChartSurface(RasterSurface& s, const ChartArea& a, ColorRef background) {
    s.SetBackgroundColor(background);
    if (s.Width() != std::min(a.width, RasterSurface::kMaxSide) ||
        s.Height() != std::min(a.height, RasterSurface::kMaxSide))
        s.Resize(a.width, a.height);
    s.FillBackground();
    s.SetDefaultPen();
    s.SetTextColor(kChartBlack);
    s.MoveTo(kFrameLeft, kFrameTop);
    s.LineTo(kFrameLeft, a.FrameBottom());
    s.LineTo(a.FrameRight(), a.FrameBottom());
    s.LineTo(a.FrameRight(), kFrameTop);
    s.LineTo(kFrameLeft, kFrameTop);
}

void DrawValueAxes(RasterSurface& s, const DataSet& data, const ChartArea& a,
                   const std::vector<int>& channels) {
    const int primary = channels.back();
    DrawValueAxis(s, DisplayMapping(data, primary, a, primary), data.colors[primary],
                  a.FrameRight() + 4, a.FrameRight() - 4, a.FrameRight());
    if (channels.size() >= 2) {
        const int secondary = channels[channels.size() - 2];
        DrawValueAxis(s, DisplayMapping(data, secondary, a, primary), data.colors[secondary], 0,
                      kFrameLeft, kFrameLeft + 4);
    }
}

void DrawBottomLabels(RasterSurface& s, const ChartArea& a,
                      const std::vector<RecordLabel>& labels) {
    s.SetTextColor(kChartBlack);
    for (const RecordLabel& label : labels) {
        s.TextOut(label.x - 10, a.FrameBottom() + 2, QString::fromStdString(label.text));
        s.MoveTo(label.x, a.FrameBottom());
        s.LineTo(label.x, a.FrameBottom() - 20);
    }
}

void RedrawFrameEdges(RasterSurface& s, const DataSet& data, const ChartArea& a,
                      const std::vector<int>& channels) {
    if (channels.size() >= 2)
        s.SetPen(2, data.colors[channels[channels.size() - 2]]);
    else
        s.SetPen(1, kChartBlack);
    s.MoveTo(kFrameLeft, kFrameTop);
    s.LineTo(kFrameLeft, a.FrameBottom());
    s.SetDefaultPen();
    s.LineTo(a.FrameRight(), a.FrameBottom());
    s.SetPen(2, data.colors[channels.back()]);
    s.LineTo(a.FrameRight(), kFrameTop);
    s.SetDefaultPen();
    s.LineTo(kFrameLeft, kFrameTop);
}

QString ReadoutText(double value, const DataSet& data, int channel) {
    return QString::fromStdString(FormatFixed2(value)) + QStringLiteral(" _ ") +
           DecodeText(data.names[channel], data.nameEncoding);
}

void DrawValueReadouts(RasterSurface& s, const DataSet& data, const ChartArea& a,
                       const std::vector<int>& channels, int cx, int cy) {
    const int primary = channels.back();
    s.SetTextColor(data.colors[primary]);
    s.TextOut(cx + 4, cy - 18,
              ReadoutText(DisplayMapping(data, primary, a, primary).ValueAt(cy), data, primary));
    if (channels.size() >= 2) {
        const int secondary = channels[channels.size() - 2];
        s.SetTextColor(data.colors[secondary]);
        s.TextOut(
            cx + 4, cy - 34,
            ReadoutText(DisplayMapping(data, secondary, a, primary).ValueAt(cy), data, secondary));
    }
}

void DrawCrosshair(RasterSurface& s, const ChartArea& a, int cx, int cy) {
    if (!a.InsideFrame(cx, cy))
        return;
    s.SetDefaultPen();
    s.MoveTo(cx, kFrameTop);
    s.LineTo(cx, a.FrameBottom());
    s.MoveTo(kFrameLeft, cy);
    s.LineTo(a.FrameRight(), cy);
}

} // namespace kurvon
