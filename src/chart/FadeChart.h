#pragma once
// Capacity fade at a glance: discharge capacity (left scale, blue, wide) and coulombic
// efficiency (right scale, red) over the cycle number, on the chart's raster surface. Empty
// figures break a curve; a table without cycles gets the frame and "无循环".

#include "analysis/CycleTable.h"
#include "platform/RasterSurface.h"

#include <QImage>

namespace kurvon {

inline constexpr ColorRef kFadeCapacityColor = 0xFF0000;   // blue
inline constexpr ColorRef kFadeEfficiencyColor = 0x0000FF; // red

// Resizes the surface to width x height and draws the chart on it.
void DrawFadeChart(RasterSurface& surface, const CycleTable& table, int width, int height);

QImage FadeChartImage(const CycleTable& table, int width, int height);

} // namespace kurvon
