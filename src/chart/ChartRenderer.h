#pragma once
// The paint of the chart area: frame, selection band, curves of the visible channels, value and
// record labels, the crosshair readout and the crosshair. The renderer only reads the state;
// channels are shown over the ranges FlatRange.h widens their extremes to.
//
// The paint is two layers: the base (everything but the cursor's marks) and the cursor layer
// (readout or "NULL", the frame edges that lie over the readout, the crosshair), so a cached
// base plus a fresh cursor layer gives the same pixels as a full paint.

#include "chart/ViewState.h"
#include "platform/RasterSurface.h"

namespace kurvon {

enum class CurveMode {
    ByColumn, // one visit per pixel column; the same pixels as Literal
    Literal,  // one segment per record: the reference drawing
};

// Paints the chart area of a client area of clientWidth x clientHeight: the surface becomes
// w x h (w = clientWidth - 300, h = clientHeight) with `background` as its background colour.
// Returns false and leaves the surface untouched when w < 60 or h < 20.
//
// For safety: visible entries that name no channel of the data set are skipped,
// and a view window outside the data set is treated like a data set of fewer than 2 records
// (frame edges, no curves or labels), so a bad state can never read past the arrays.
bool RenderChart(RasterSurface& surface, const ViewState& state, int clientWidth, int clientHeight,
                 ColorRef background = 0xFFFFFF, CurveMode mode = CurveMode::ByColumn);

// The two layers of RenderChart: the base, then the cursor layer over it.
bool RenderChartBase(RasterSurface& surface, const ViewState& state, int clientWidth,
                     int clientHeight, ColorRef background, CurveMode mode);
void DrawCursorLayer(RasterSurface& surface, const ViewState& state, int clientWidth,
                     int clientHeight);

} // namespace kurvon
