#pragma once
// Stepping through cycles: "上一循环" and "下一循环" set the view window to the previous or next
// cycle's records, a row of the cycle table to its cycle. While the window is the one such a
// step set, that cycle is the one shown; any other change of the window leaves none shown, and
// the next step goes from the cycle holding the window's first record.

#include "analysis/CycleTable.h"
#include "chart/ViewState.h"

#include <optional>

namespace kurvon {

// The cycles' records, kept by the view state (nothing shown).
void SetCycleSpans(ViewState& state, const CycleTable& table);

// The cycle the view window shows, if a cycle step set it.
std::optional<std::size_t> ShownCycle(const ViewState& state);

bool PreviousCycleEnabled(const ViewState& state);
bool NextCycleEnabled(const ViewState& state);
bool ShowPreviousCycle(ViewState& state);
bool ShowNextCycle(ViewState& state);
// False when there is no such cycle or nothing to show it in.
bool ShowCycle(ViewState& state, std::size_t index);

} // namespace kurvon
