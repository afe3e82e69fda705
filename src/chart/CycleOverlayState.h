#pragma once
// The cycles the view draws on top of each other against the x channel, as the user chose them.

#include "analysis/CycleChoice.h"

#include <optional>

namespace kurvon {

struct CycleOverlayState {
    // None: the ordinary chart. Loading, Clear and any navigation end the overlay.
    std::optional<CycleChoice> choice;
    // Each cycle's x taken from its first record with a finite x (an option that stays).
    bool relative = false;
};

} // namespace kurvon
