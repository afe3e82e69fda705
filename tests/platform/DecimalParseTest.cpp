#include "platform/DecimalParse.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <random>
#include <string>

namespace kurvon {
namespace {

// strtod of the C library in the "C" locale, whatever the process locale is.
double CStrtod(const std::string& text) {
#ifdef _WIN32
    // MinGW's own strtod (correctly rounded); the tests never change the C locale there.
    return std::strtod(text.c_str(), nullptr);
#else
    static locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(text.c_str(), nullptr, c);
#endif
}

TEST(DecimalParse, AgreesWithTheCLibraryButForWordsHexAndTheFloatRange) {
    // What the C library would also accept but a data field must not, and the float range.
    const float inf = std::numeric_limits<float>::infinity();
    using P = std::pair<std::string, float>;
    const std::string nul = std::string(1, '\0') + "5", nines(5000, '9'),
                      shifted = "0." + std::string(400, '0') + "1e405";
    for (const auto& [text, value] :
         {P("1,5", 1.0f), P("abc", 0.0f), P(nul, 0.0f), P("inf", 0.0f), P("nan", 0.0f),
          P("INFINITY", 0.0f), P("--5", 0.0f), P("0x1A", 0.0f), P("1e39", inf), P("-1e39", -inf),
          P("1e99999999999999999999", inf), P(nines, inf), P("3.4028234e38", FLT_MAX),
          P("3.4028235e38", FLT_MAX), P("3.4028236e38", inf), P("1e-99999999999", 0.0f),
          P("1.4e-45", std::numeric_limits<float>::denorm_min()), P(shifted, 10000.0f)})
        EXPECT_EQ(ParseDecimalPrefix(text), value) << text;
    // Negative zeros keep their sign in both forms (the short one sets the sign bit).
    for (const std::string text : {"-0", "-0.000", "-.0", "-0.", "-000000000000000"}) {
        const char* stop;
        EXPECT_TRUE(std::signbit(ParseDecimalPrefix(text))) << text;
        EXPECT_TRUE(std::signbit(ParseDecimalField(text.data(), text.data() + text.size(), &stop)))
            << text;
        EXPECT_EQ(ParseDecimalField(text.data(), text.data() + text.size(), &stop), 0.0f);
    }
    EXPECT_EQ(RoundToFloat(0x1.ffffffp127), inf);
    EXPECT_EQ(RoundToFloat(0x1.fffffefffffffp127), FLT_MAX);
    EXPECT_EQ(RoundToFloat(-0x1.ffffffp127), -inf);

    std::mt19937_64 random(12345);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto one = [&](std::string set) { return set.substr(pick(int(set.size())), 1); };
    auto digits = [&](std::string& text, int n) {
        for (int d = 0; d < n; ++d)
            text += one("0123456789");
    };
    for (int i = 0; i < 200000; ++i) {
        std::string text = (pick(8) ? "" : one(" \t\n\v\f\r")) + (pick(4) ? "" : one("+-"));
        digits(text, pick(4) == 0 ? pick(25) : pick(8));
        if (pick(2)) {
            text += '.';
            digits(text, pick(4) == 0 ? pick(30) : pick(10));
        }
        if (pick(3) == 0)
            text += one("eE") + (pick(2) ? one("+-") : "") +
                    (pick(8) ? std::to_string(pick(3) == 0 ? pick(400) : pick(40)) : "");
        if (pick(3) == 0)
            text += "V";
        const double expected = CStrtod(text);
        ASSERT_EQ(ParseDecimalPrefixDouble(text), expected) << text;
        ASSERT_TRUE(std::fabs(expected) >= 3.0e38 ||
                    ParseDecimalPrefix(text) == static_cast<float>(expected))
            << text;
        // The loader's form: the NUL after the text ends any number.
        const char *stop, *fieldStop;
        const float value = ParseDecimalPrefix(text.data(), text.data() + text.size(), &stop);
        const float field = ParseDecimalField(text.data(), text.data() + text.size(), &fieldStop);
        ASSERT_TRUE(std::memcmp(&value, &field, sizeof value) == 0 && stop == fieldStop) << text;
    }
}

} // namespace
} // namespace kurvon
