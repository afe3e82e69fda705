#pragma once
// Exit statuses of the command-line uses of kurvon, and the failure texts they share.

#include <cstdint>
#include <string>

namespace kurvon {

// A file would not load or the picture not write, or the window found no display.
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2; // bad arguments

inline std::string WindowRuleText(std::uint32_t records) {
    return "the window must satisfy FIRST < LAST <= " + std::to_string(records - 1);
}

inline std::string NoSuchChannelText(int channel, std::uint32_t channels) {
    return "no channel " + std::to_string(channel) + " (the file has " + std::to_string(channels) +
           ")";
}

} // namespace kurvon
