// The overlay's cycle choice: the forms it accepts in English and Chinese, what it rejects and
// why, and which cycles it picks among a file's cycles.
#include "analysis/CycleChoice.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

std::vector<std::uint32_t> Pick(std::string_view text, std::uint32_t count) {
    const auto parsed = ParseCycleChoice(text);
    if (const auto* error = std::get_if<CycleChoiceError>(&parsed)) {
        ADD_FAILURE() << text << ": " << CycleChoiceMessageEn(*error);
        return {};
    }
    return ChosenCycles(std::get<CycleChoice>(parsed), count);
}

CycleChoiceError::Kind Fault(std::string_view text) {
    const auto parsed = ParseCycleChoice(text);
    const auto* error = std::get_if<CycleChoiceError>(&parsed);
    EXPECT_NE(error, nullptr) << text;
    return error ? error->kind : CycleChoiceError::Kind::Empty;
}

using V = std::vector<std::uint32_t>;

TEST(CycleChoice, EnglishAndChineseFormsPickTheSameCycles) {
    const V reportPick{1, 10, 100, 200, 300};
    for (std::string_view text :
         {"1, 10, 100, every 100th", "1,10,100,every 100", "1，10、100；每100",
          "1 , 10,100, 每 100 个", "1,10,100,EVERY100TH", "every 100, 10, 1, 100"})
        EXPECT_EQ(Pick(text, 350), reportPick) << text;
    EXPECT_EQ(Pick("1-5", 10), (V{1, 2, 3, 4, 5}));
    EXPECT_EQ(Pick("3 ~ 4, 2～3, 7–7", 10), (V{2, 3, 4, 7}));
    EXPECT_EQ(Pick("1, last", 850), (V{1, 850}));
    EXPECT_EQ(Pick("最后, 1", 2), (V{1, 2}));
    EXPECT_EQ(Pick("1, 2,", 5), (V{1, 2})); // a trailing comma is forgiven
    EXPECT_EQ(Pick("every 1st", 3), (V{1, 2, 3}));
}

TEST(CycleChoice, CyclesTheFileLacksAreLeftOut) {
    EXPECT_EQ(Pick("1, 10, 100, every 100", 50), (V{1, 10}));
    EXPECT_EQ(Pick("40-1000000000", 42), (V{40, 41, 42}));
    EXPECT_EQ(Pick("every 1000000000", 4294967295u),
              (V{1000000000, 2000000000, 3000000000u, 4000000000u}));
    EXPECT_EQ(Pick("5, last", 0), V{});
    EXPECT_EQ(Pick("7", 6), V{});
}

TEST(CycleChoice, FaultsAreNamedWithTheItem) {
    using K = CycleChoiceError::Kind;
    EXPECT_EQ(Fault(""), K::Empty);
    EXPECT_EQ(Fault(" 　\t"), K::Empty);
    EXPECT_EQ(Fault("1,,2"), K::MissingItem);
    EXPECT_EQ(Fault(",1"), K::MissingItem);
    EXPECT_EQ(Fault("0"), K::Zero);
    EXPECT_EQ(Fault("every 0"), K::Zero);
    EXPECT_EQ(Fault("1-0"), K::Zero);
    EXPECT_EQ(Fault("9-3"), K::Backwards);
    EXPECT_EQ(Fault("1000000001"), K::TooLarge);
    EXPECT_EQ(Fault("99999999999999999999999"), K::TooLarge);
    for (std::string_view text :
         {"x", "1.5", "-3", "1-", "every", "every 10 cycles", "1 2", "lastly", "每", "5-7-9", "+1"})
        EXPECT_EQ(Fault(text), K::BadItem) << text;

    const auto parsed = ParseCycleChoice("1, 10 0x");
    const auto& error = std::get<CycleChoiceError>(parsed);
    EXPECT_EQ(error.item, "10 0x");
    EXPECT_NE(CycleChoiceMessage(error).find("\"10 0x\""), std::string::npos);
    EXPECT_NE(CycleChoiceMessageEn(error).find("\"10 0x\""), std::string::npos);
    EXPECT_EQ(std::get<CycleChoice>(ParseCycleChoice(" 1, 2 ")).text, " 1, 2 ");
}

} // namespace
} // namespace kurvon
