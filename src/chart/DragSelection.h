#pragma once
// The mouse side of the chart: the drag selection of a record range and the cursor that the
// crosshair follows. chartWidth is the width of the chart area at the moment of the event.

#include "chart/ViewState.h"

#include <cstdint>

namespace kurvon {

// Left press: ignored (returns false) while a drag is in progress; otherwise the drag starts at
// x clamped to the plot frame.
bool BeginDrag(ViewState& state, int x, int chartWidth);

// Mouse move: the cursor follows; the drag end follows too, clamped to the frame while a drag
// is in progress.
void TrackCursor(ViewState& state, int x, int y, int chartWidth);

// Left release, whether or not a press started a drag: the drag ends at x clamped to the frame;
// when ready, a drag over more than 10 pixels selects the new view window (XAxis::Band). Both ends
// are clamped into the current frame first (the press may predate a resize, or never have happened
// since a Clear), so the window stays first < last <= record count - 1. A chart area of 120
// pixels or less has no plot width to map and leaves the window alone.
void EndDrag(ViewState& state, int x, int chartWidth);

} // namespace kurvon
