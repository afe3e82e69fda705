#include "chart/Navigation.h"

namespace kurvon {
namespace {

using U64 = std::uint64_t;

// The common guard, plus a complete data set (the loader never publishes fewer than 2 records).
bool CanNavigate(const ViewState& state) {
    return Ready(state) && state.data.recordCount >= 2;
}

U64 LastIndex(const ViewState& state) {
    return U64{state.data.recordCount} - 1;
}

// Back and Forward's guard: navigable and a window of at least two records.
bool CanPan(const ViewState& state) {
    return CanNavigate(state) && state.firstRecord < state.lastRecord;
}

} // namespace

bool Ready(const ViewState& state) {
    return state.dataLoaded && !state.visible.Empty();
}

bool BackEnabled(const ViewState& state) {
    return Ready(state) && state.lastRecord != state.data.recordCount - 1; // unsigned, as compared
}

bool ForwardEnabled(const ViewState& state) {
    return Ready(state) && state.firstRecord != 0;
}

bool ZoomInEnabled(const ViewState& state) {
    return Ready(state) && state.lastRecord != state.firstRecord + 1;
}

bool ZoomOutEnabled(const ViewState& state) {
    const bool wholeFile = state.firstRecord == 0 && state.lastRecord == state.data.recordCount - 1;
    return Ready(state) && !wholeFile;
}

std::uint32_t ZoomStepOf(std::uint32_t records) {
    return records / 40;
}

std::uint32_t ZoomStep(const ViewState& state) {
    return ZoomStepOf(state.data.recordCount);
}

std::uint32_t PanStep(std::uint32_t first, std::uint32_t last) {
    const std::uint32_t span = last - first;
    if (U64{last} > U64{first} + 15)
        return span / 15;
    if (U64{last} > U64{first} + 5)
        return span / 5;
    return span / 2 == 0 ? 1 : span / 2;
}

bool NavigateBack(ViewState& state) {
    if (!CanPan(state))
        return false;
    const std::uint32_t f = state.firstRecord;
    const std::uint32_t l = state.lastRecord;
    const std::uint32_t span = l - f;
    const std::uint32_t step = PanStep(f, l);
    U64 first = U64{f} + step;
    U64 last = U64{l} + step;
    if (last >= state.data.recordCount) {
        last = LastIndex(state);
        first = last >= span ? last - span : 0;
    }
    state.firstRecord = static_cast<std::uint32_t>(first);
    state.lastRecord = static_cast<std::uint32_t>(last);
    return true;
}

bool NavigateForward(ViewState& state) {
    if (!CanPan(state))
        return false;
    const std::uint32_t f = state.firstRecord;
    const std::uint32_t l = state.lastRecord;
    const std::uint32_t step = PanStep(f, l);
    if (f < step) {
        state.firstRecord = 0;
        state.lastRecord = l - f;
    } else {
        state.firstRecord = f - step;
        state.lastRecord = l - step;
    }
    return true;
}

bool ZoomIn(ViewState& state) {
    if (!CanNavigate(state))
        return false;
    const U64 f = state.firstRecord;
    const U64 l = state.lastRecord;
    const U64 z = ZoomStep(state);
    const U64 mid = (f + l) / 2;
    if (l > z && f + z < l - z) {
        state.firstRecord = static_cast<std::uint32_t>(f + z);
        state.lastRecord = static_cast<std::uint32_t>(l - z);
        return true;
    }
    state.firstRecord = static_cast<std::uint32_t>(mid);
    state.lastRecord = static_cast<std::uint32_t>(mid + 1);
    if (state.lastRecord > LastIndex(state)) { // only from a window already past the end
        state.lastRecord = static_cast<std::uint32_t>(LastIndex(state));
        state.firstRecord = state.lastRecord - 1;
    }
    return true;
}

bool ZoomOut(ViewState& state) {
    if (!CanNavigate(state))
        return false;
    const U64 z = ZoomStep(state);
    const U64 f = state.firstRecord;
    const U64 first = z > f ? 0 : f - z;
    U64 last = U64{state.lastRecord} + z;
    if (last >= state.data.recordCount)
        last = LastIndex(state);
    state.firstRecord = static_cast<std::uint32_t>(first);
    state.lastRecord = static_cast<std::uint32_t>(last);
    if (state.firstRecord >= state.lastRecord) // only from a window already past the end
        state.firstRecord = state.lastRecord - 1;
    return true;
}

bool ShowAll(ViewState& state) {
    if (!CanNavigate(state))
        return false;
    state.firstRecord = 0;
    state.lastRecord = static_cast<std::uint32_t>(LastIndex(state));
    return true;
}

} // namespace kurvon
