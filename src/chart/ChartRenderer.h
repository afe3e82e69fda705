#pragma once
// The paint of the chart area: frame, selection band, curves of the visible channels, value and
// record labels, the crosshair readout and the crosshair, drawn from scratch on every call.

#include "data/ViewState.h"
#include "platform/RasterSurface.h"

namespace kurvon {

// Paints the chart area of a client area of clientWidth x clientHeight: the surface becomes
// w x h (w = clientWidth - 300, h = clientHeight) with `background` as its background colour.
// Returns false and leaves the surface untouched when w < 60 or h < 20.
//
// Reads the state; the only write is the flat-range widening of the primary channel (a primary
// whose maximum equals its minimum gets record 0's value +-1, kept in the data set).
//
// Beyond the described paint: visible entries that name no channel of the data set are skipped,
// and a view window outside the data set is treated like a data set of fewer than 2 records
// (frame edges, no curves or labels), so a bad state can never read past the arrays.
bool RenderChart(RasterSurface& surface, ViewState& state, int clientWidth, int clientHeight,
                 ColorRef background = 0xFFFFFF);

} // namespace kurvon
