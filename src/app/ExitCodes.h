#pragma once
// Exit statuses of the command-line uses of kurvon.

namespace kurvon {

inline constexpr int kExitFailure =
    1; // a file would not load or the picture not write, or no display
inline constexpr int kExitUsage = 2; // bad arguments

} // namespace kurvon
