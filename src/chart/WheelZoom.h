#pragma once
// Mouse-wheel zoom around the pointer. Each notch forward narrows the view window by as much as
// Zoom in would, each notch back widens it by as much as Zoom out would, but the window is
// placed so that the record under the pointer stays under it (to within one record) unless an
// end of the data pushes the window aside. By channel, the record under the pointer is the first
// one drawn at or right of it (XAxis::RecordAt), kept at the same share of the new window. A notch
// does nothing where its key command is disabled; the window stays first < last <= record count
// - 1.

#include "chart/ViewState.h"

namespace kurvon {

// Whole notches from a wheel's vertical angle deltas, 120 units to a notch, positive forward.
// High-resolution wheels send parts of a notch: they are kept until they add up, and dropped
// when the wheel turns the other way.
class WheelNotches {
public:
    static constexpr int kUnitsPerNotch = 120;
    int Add(int angleDelta);

private:
    int m_pending = 0;
};

// notches > 0 zooms in, < 0 zooms out, one notch at a time, around the pointer at x in a chart
// area chartWidth wide (x is clamped to the plot frame). True when at least one notch acted
// (repaint), false when none did.
bool WheelZoom(ViewState& state, int notches, int x, int chartWidth);

} // namespace kurvon
