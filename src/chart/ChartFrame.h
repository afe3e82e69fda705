#pragma once
// The parts of the chart area that the record chart and the cycle overlay draw alike: the
// surface and outline, the value axes of the primary (right) and secondary (left) channel, the
// bottom labels, the frame edges in the channels' colours, the value readouts at the pointer and
// the crosshair. Channels are mapped over the ranges FlatRange.h widens their extremes to; the
// last of `channels` is the primary.

#include "chart/ChartGeometry.h"
#include "chart/ChartLayout.h"
#include "data/DataSet.h"
#include "platform/RasterSurface.h"

#include <QString>
#include <vector>

namespace kurvon {

constexpr ColorRef kChartBlack = 0x000000;

ValueMapping DisplayMapping(const DataSet& data, int channel, const ChartArea& a, int primary);

// Sizes the surface to the area, fills it with the background and draws the frame outline;
// default pen, black text.
void BeginChartSurface(RasterSurface& s, const ChartArea& a, ColorRef background);

void DrawValueAxes(RasterSurface& s, const DataSet& data, const ChartArea& a,
                   const std::vector<int>& channels);
void DrawBottomLabels(RasterSurface& s, const ChartArea& a, const std::vector<RecordLabel>& labels);

// The left edge in the secondary's colour (2 pixels; black and 1 pixel with a single channel),
// the right edge in the primary's; bottom and top black.
void RedrawFrameEdges(RasterSurface& s, const DataSet& data, const ChartArea& a,
                      const std::vector<int>& channels);

// "value _ name", the value with two decimals.
QString ReadoutText(double value, const DataSet& data, int channel);
// The primary's and the secondary's value at pointer row cy, above the pointer at (cx, cy).
void DrawValueReadouts(RasterSurface& s, const DataSet& data, const ChartArea& a,
                       const std::vector<int>& channels, int cx, int cy);

// The crosshair through (cx, cy) when it lies inside the frame.
void DrawCrosshair(RasterSurface& s, const ChartArea& a, int cx, int cy);

} // namespace kurvon
