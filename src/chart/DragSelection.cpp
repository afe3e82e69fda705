#include "chart/DragSelection.h"

#include "chart/ChartGeometry.h"
#include "chart/Navigation.h"
#include "chart/XAxis.h"

#include <tuple>

namespace kurvon {
namespace {

int ClampX(int x, int chartWidth) {
    ChartArea area;
    area.width = chartWidth;
    return area.ClampToFrameX(x);
}

void ApplySelection(ViewState& state, int a, int b, int chartWidth) {
    const std::uint32_t count = state.data.recordCount;
    const std::uint32_t f = state.firstRecord;
    const std::uint32_t l = state.lastRecord;
    if (count < 2)
        return;
    std::uint32_t first = f;
    std::uint32_t last = l;
    if (f < l && PlotWidth(chartWidth) > 0 && (b > a + 10 || a > b + 10)) {
        if (const auto band = XAxis(state, chartWidth).Band(a, b))
            std::tie(first, last) = *band;
    }
    std::uint64_t end = last; // 64 bits: first + 1 must not wrap
    if (end >= count)
        end = count - 1;
    if (end <= first)
        end = std::uint64_t{first} + 1;
    if (end >= count) { // first was at or past the last record: keep the last two records
        end = count - 1;
        first = static_cast<std::uint32_t>(end - 1);
    }
    last = static_cast<std::uint32_t>(end);
    state.firstRecord = first;
    state.lastRecord = last;
}

} // namespace

bool BeginDrag(ViewState& state, int x, int chartWidth) {
    if (state.dragInProgress)
        return false;
    state.dragStartX = ClampX(x, chartWidth);
    state.dragInProgress = true;
    return true;
}

void TrackCursor(ViewState& state, int x, int y, int chartWidth) {
    state.cursorX = x;
    state.cursorY = y;
    state.dragEndX = state.dragInProgress ? ClampX(x, chartWidth) : x;
}

void EndDrag(ViewState& state, int x, int chartWidth) {
    state.dragEndX = ClampX(x, chartWidth);
    if (Ready(state))
        ApplySelection(state, ClampX(state.dragStartX, chartWidth), state.dragEndX, chartWidth);
    state.dragInProgress = false;
}

} // namespace kurvon
