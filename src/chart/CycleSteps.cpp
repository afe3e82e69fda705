#include "chart/CycleSteps.h"

#include <algorithm>

namespace kurvon {
namespace {

bool CanStep(const ViewState& state) {
    return state.dataLoaded && !state.loading && state.data.recordCount >= 2 &&
           !state.cycles.spans.empty() && state.cycles.spans.back().last < state.data.recordCount;
}

// The cycle holding the window's first record.
std::size_t CycleAtWindow(const ViewState& state) {
    const std::vector<CycleSpan>& spans = state.cycles.spans;
    const auto after =
        std::upper_bound(spans.begin(), spans.end(), state.firstRecord,
                         [](std::uint32_t r, const CycleSpan& span) { return r < span.first; });
    return after == spans.begin() ? 0 : static_cast<std::size_t>(after - spans.begin()) - 1;
}

std::optional<std::size_t> Target(const ViewState& state, int direction) {
    if (!CanStep(state))
        return std::nullopt;
    const std::optional<std::size_t> shown = ShownCycle(state);
    if (!shown)
        return CycleAtWindow(state);
    if (direction < 0)
        return *shown > 0 ? std::optional<std::size_t>(*shown - 1) : std::nullopt;
    return *shown + 1 < state.cycles.spans.size() ? std::optional<std::size_t>(*shown + 1)
                                                  : std::nullopt;
}

} // namespace

void SetCycleSpans(ViewState& state, const CycleTable& table) {
    state.cycles = {};
    state.cycles.spans.reserve(table.cycles.size());
    for (const CycleFigures& c : table.cycles)
        state.cycles.spans.push_back({c.firstRecord, c.lastRecord});
}

std::optional<std::size_t> ShownCycle(const ViewState& state) {
    const CycleNavigation& n = state.cycles;
    if (!n.shown || *n.shown >= n.spans.size() || state.firstRecord != n.shownFirst ||
        state.lastRecord != n.shownLast || !state.dataLoaded)
        return std::nullopt;
    return n.shown;
}

bool PreviousCycleEnabled(const ViewState& state) {
    return Target(state, -1).has_value();
}

bool NextCycleEnabled(const ViewState& state) {
    return Target(state, 1).has_value();
}

bool ShowPreviousCycle(ViewState& state) {
    const std::optional<std::size_t> target = Target(state, -1);
    return target && ShowCycle(state, *target);
}

bool ShowNextCycle(ViewState& state) {
    const std::optional<std::size_t> target = Target(state, 1);
    return target && ShowCycle(state, *target);
}

bool ShowCycle(ViewState& state, std::size_t index) {
    if (!CanStep(state) || index >= state.cycles.spans.size())
        return false;
    CycleSpan span = state.cycles.spans[index];
    // The window holds at least two records: a cycle of one record takes its neighbour too.
    if (span.first == span.last) {
        if (span.last + 1 < state.data.recordCount)
            ++span.last;
        else
            --span.first;
    }
    state.firstRecord = span.first;
    state.lastRecord = span.last;
    state.cycles.shown = index;
    state.cycles.shownFirst = span.first;
    state.cycles.shownLast = span.last;
    return true;
}

} // namespace kurvon
