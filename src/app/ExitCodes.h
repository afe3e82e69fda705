#pragma once
// Exit statuses of the command-line uses of kurvon.

namespace kurvon {

// A file would not load or the picture not write, or the window found no display.
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2; // bad arguments

} // namespace kurvon
