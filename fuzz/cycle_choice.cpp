// The overlay's cycle choice on arbitrary text: never a crash; a choice holds only valid items,
// reads the same again when written out plainly, and picks cycles that exist, ascending, each
// once; a fault names what is wrong in both languages.

#include "analysis/CycleChoice.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace kurvon;

std::string Plain(const CycleChoice& choice) {
    std::string text;
    for (const CycleItem& item : choice.items) {
        if (!text.empty())
            text += ", ";
        switch (item.kind) {
        case CycleItem::Kind::Single:
            text += std::to_string(item.a);
            break;
        case CycleItem::Kind::Range:
            text += std::to_string(item.a) + "-" + std::to_string(item.b);
            break;
        case CycleItem::Kind::Every:
            text += "every " + std::to_string(item.a);
            break;
        case CycleItem::Kind::Last:
            text += "last";
            break;
        }
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // Two bytes of cycle count, then the text.
    const std::uint32_t count = data[0] | std::uint32_t{data[1]} << 8;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    const auto parsed = ParseCycleChoice(text);
    if (const auto* error = std::get_if<CycleChoiceError>(&parsed)) {
        FUZZ_CHECK(!CycleChoiceMessage(*error).empty());
        FUZZ_CHECK(!CycleChoiceMessageEn(*error).empty());
        FUZZ_CHECK(error->item.size() <= text.size());
        return 0;
    }
    const CycleChoice& choice = std::get<CycleChoice>(parsed);
    FUZZ_CHECK(choice.text == text);
    FUZZ_CHECK(!choice.items.empty());
    for (const CycleItem& item : choice.items) {
        if (item.kind != CycleItem::Kind::Last)
            FUZZ_CHECK(item.a >= 1 && item.a <= 1000000000);
        if (item.kind == CycleItem::Kind::Range)
            FUZZ_CHECK(item.a <= item.b && item.b <= 1000000000);
    }
    const auto again = ParseCycleChoice(Plain(choice));
    FUZZ_CHECK(std::holds_alternative<CycleChoice>(again) &&
               std::get<CycleChoice>(again).items == choice.items);
    const std::vector<std::uint32_t> cycles = ChosenCycles(choice, count);
    for (std::size_t i = 0; i < cycles.size(); ++i) {
        FUZZ_CHECK(cycles[i] >= 1 && cycles[i] <= count);
        FUZZ_CHECK(i == 0 || cycles[i - 1] < cycles[i]);
    }
    return 0;
}
