#pragma once
// The navigation commands over the view window. Each returns true when it acted, meaning the
// chart area is to be repainted (even if the window did not change), and false when its guard
// stopped it. On a loaded data set each leaves first < last <= record count - 1.

#include "chart/ViewState.h"

#include <cstdint>

namespace kurvon {

// A data set is shown and at least one channel is ticked.
bool Ready(const ViewState& state);

// Records moved by Zoom in and Zoom out at each end: record count / 40, a rule of the data set's
// size alone, so it follows a growing file by itself.
std::uint32_t ZoomStepOf(std::uint32_t records);
std::uint32_t ZoomStep(const ViewState& state);

// Records moved by Back and Forward: span / 15 from span 16, span / 5 from span 6, else
// span / 2 (at least 1).
std::uint32_t PanStep(std::uint32_t first, std::uint32_t last);

// When each command over the view window is enabled: a command is disabled where it could not
// change the window (at the data's ends, at the smallest span).
bool BackEnabled(const ViewState& state);
bool ForwardEnabled(const ViewState& state);
bool ZoomInEnabled(const ViewState& state);
bool ZoomOutEnabled(const ViewState& state); // also Show all's rule

bool NavigateBack(ViewState& state);    // later records
bool NavigateForward(ViewState& state); // earlier records
bool ZoomIn(ViewState& state);
bool ZoomOut(ViewState& state);
bool ShowAll(ViewState& state);

} // namespace kurvon
