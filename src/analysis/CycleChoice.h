#pragma once
// Which cycles an overlay draws, as the user types them: items separated by commas (also "，",
// "、", ";" or "；"), each one of
//   N                 cycle N (from 1)
//   N-M               cycles N to M ("-", "~", "～" or "–" between them, N <= M)
//   every K / every Kth / 每K / 每K个    cycles K, 2K, 3K, ...
//   last / 最后        the last cycle
// Spaces anywhere between the parts are ignored, letters in any case. Numbers run from 1 to
// 1000000000. Cycles the file does not have are left out when the choice is applied.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kurvon {

struct CycleItem {
    enum class Kind { Single, Range, Every, Last };
    Kind kind = Kind::Single;
    std::uint32_t a = 0; // the cycle, the range's first cycle, or the step
    std::uint32_t b = 0; // the range's last cycle
    bool operator==(const CycleItem&) const = default;
};

struct CycleChoice {
    std::vector<CycleItem> items;
    std::string text; // as typed
    bool operator==(const CycleChoice&) const = default;
};

struct CycleChoiceError {
    enum class Kind { Empty, MissingItem, BadItem, Zero, Backwards, TooLarge };
    Kind kind = Kind::Empty;
    std::string item; // the offending item as typed
};

std::variant<CycleChoice, CycleChoiceError> ParseCycleChoice(std::string_view utf8Text);

// The chosen cycles' numbers (from 1) among cycleCount cycles, ascending, each once.
std::vector<std::uint32_t> ChosenCycles(const CycleChoice& choice, std::uint32_t cycleCount);

// What is wrong, for the window (Chinese) and the command line (English).
std::string CycleChoiceMessage(const CycleChoiceError& error);
std::string CycleChoiceMessageEn(const CycleChoiceError& error);

} // namespace kurvon
