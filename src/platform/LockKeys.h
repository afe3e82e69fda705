#pragma once
// Caps Lock, Num Lock and Scroll Lock state, read from the windowing system where it tells us.

#include <optional>

namespace kurvon {

struct LockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;

    bool operator==(const LockKeyState&) const = default;
};

// The current state, or nothing when this platform gives no way to read it (offscreen,
// Wayland, and any system without a reader here). Needs a QGuiApplication.
std::optional<LockKeyState> QueryLockKeys();

} // namespace kurvon
