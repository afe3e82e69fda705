#pragma once
// The flat-range widening, a step before each paint: a primary channel whose maximum equals its
// minimum gets record 0's value +-1, kept in the data set. It applies exactly when the paint
// about to run draws curves, so the renderer itself only reads the state.

#include "chart/ViewState.h"

namespace kurvon {

void WidenFlatPrimary(ViewState& state, int clientWidth, int clientHeight);

} // namespace kurvon
