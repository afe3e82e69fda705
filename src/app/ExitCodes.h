#pragma once
// Exit statuses of the command-line uses of kurvon, and the one failure text they share.

#include <string>

namespace kurvon {

inline constexpr int kExitFailure = 1; // the file would not load or the picture not write
inline constexpr int kExitUsage = 2;   // bad arguments

inline std::string TooFewRecordsText(const std::string& path) {
    return path + " has fewer than two data records";
}

} // namespace kurvon
