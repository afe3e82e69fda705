#pragma once
// What the view keeps of the cycles for stepping through them: each cycle's records and the
// cycle last shown with the view window that showed it.

#include <cstdint>
#include <optional>
#include <vector>

namespace kurvon {

struct CycleSpan {
    std::uint32_t first = 0;
    std::uint32_t last = 0; // inclusive
};

struct CycleNavigation {
    std::vector<CycleSpan> spans; // in record order
    std::optional<std::size_t> shown;
    std::uint32_t shownFirst = 0; // the window that showing it set
    std::uint32_t shownLast = 0;
};

} // namespace kurvon
