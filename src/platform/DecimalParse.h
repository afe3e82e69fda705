#pragma once
// Number conversion for data fields: the longest leading decimal number (optional sign, digits
// with an optional point, optional exponent) as the C library's atof reads it in the C locale,
// converted correctly rounded to double and then to the nearest float. No hex, inf or nan
// forms. Independent of the process locale.
//
// The common short forms are converted inline (the loader calls this for every field); long
// mantissas and large exponents go to an exact out-of-line path.

#include <bit>
#include <cstdint>
#include <limits>
#include <string_view>

namespace kurvon {

// 0 when the text has no decimal prefix. Out-of-range values give a signed infinity (for the
// float) or a signed zero. When stop is given it receives the end of the prefix that was read
// (begin when there is none, leading white space included otherwise).
double ParseDecimalPrefixDouble(const char* begin, const char* end, const char** stop = nullptr);

// Nearest float to a double, ties to even; beyond the float range an infinity of the same sign
// (a plain conversion would be undefined there).
inline float RoundToFloat(double value) {
    // Halfway between FLT_MAX and 2^128: from here on the nearest float is the infinity.
    constexpr double kOverflowBound = 0x1.ffffffp127;
    if (value >= kOverflowBound)
        return std::numeric_limits<float>::infinity();
    if (value <= -kOverflowBound)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

namespace detail {

inline constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

inline bool IsDecimalDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

// Plain "[-]digits[.digits]" with at most 15 digits and no exponent, the bulk of real data:
// mantissa and power of ten are exact in a double, so one division rounds correctly.
// False when the text is any other form. With kStopsAtEnd the byte at end is known to end any
// number, which spares a bounds check per digit.
template <bool kStopsAtEnd>
inline bool ParseShortDecimal(const char* p, const char* end, double& value, const char*& stop) {
    auto more = [end](const char* q) { return kStopsAtEnd || q < end; };
    // The digit at q, or a number above 9 for any other byte.
    auto digit = [](const char* q) { return unsigned(static_cast<unsigned char>(*q)) - '0'; };
    // The sign of measured values is often random: no branch on it.
    const unsigned negative = more(p) && *p == '-';
    p += negative;
    const char* digitsBegin = p;
    std::uint64_t mantissa = 0;
    for (unsigned d; more(p) && (d = digit(p)) < 10; ++p)
        mantissa = mantissa * 10 + d;
    const char* intEnd = p;
    int fractionDigits = 0;
    if (more(p) && *p == '.') {
        const char* fractionBegin = ++p;
        for (unsigned d; more(p) && (d = digit(p)) < 10; ++p)
            mantissa = mantissa * 10 + d;
        fractionDigits = static_cast<int>(p - fractionBegin);
    }
    const long digits = static_cast<long>(intEnd - digitsBegin) + fractionDigits;
    if (digits == 0 || digits > 15 || (more(p) && (*p == 'e' || *p == 'E')))
        return false;
    // Below 2^63, so the signed conversion is exact and needs no branch on the top bit; the
    // quotient is +0 or positive, so setting the sign bit negates it exactly (-0 included).
    const double magnitude =
        static_cast<double>(static_cast<std::int64_t>(mantissa)) / kExactPow10[fractionDigits];
    value = std::bit_cast<double>(std::bit_cast<std::uint64_t>(magnitude) | std::uint64_t(negative)
                                                                                << 63);
    stop = p;
    return true;
}

} // namespace detail

inline float ParseDecimalPrefix(const char* begin, const char* end, const char** stop = nullptr) {
    double value;
    const char* shortStop;
    if (detail::ParseShortDecimal<false>(begin, end, value, shortStop)) {
        if (stop)
            *stop = shortStop;
        return static_cast<float>(value); // at most 15 digits: always within the float range
    }
    return RoundToFloat(ParseDecimalPrefixDouble(begin, end, stop));
}

// The same for a field whose text is followed by a byte that is no digit, point, sign or
// exponent letter (a line end or a NUL), readable at end: the loader's fields, about a third
// faster.
inline float ParseDecimalField(const char* begin, const char* end, const char** stop) {
    double value;
    if (detail::ParseShortDecimal<true>(begin, end, value, *stop))
        return static_cast<float>(value);
    return RoundToFloat(ParseDecimalPrefixDouble(begin, end, stop));
}

inline float ParseDecimalPrefix(std::string_view text) {
    return ParseDecimalPrefix(text.data(), text.data() + text.size());
}
inline double ParseDecimalPrefixDouble(std::string_view text) {
    return ParseDecimalPrefixDouble(text.data(), text.data() + text.size());
}

} // namespace kurvon
