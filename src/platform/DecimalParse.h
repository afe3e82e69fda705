#pragma once
// Number conversion for data fields: the longest leading decimal number (optional sign, digits
// with an optional point, optional exponent) as the C library's atof reads it in the C locale,
// converted correctly rounded to double and then to the nearest float. No hex, inf or nan
// forms. Independent of the process locale.

#include <string_view>

namespace kurvon {

// 0 when the text has no decimal prefix. Out-of-range values give a signed infinity (for the
// float) or a signed zero.
double ParseDecimalPrefixDouble(const char* begin, const char* end);
float ParseDecimalPrefix(const char* begin, const char* end);

inline float ParseDecimalPrefix(std::string_view text) {
    return ParseDecimalPrefix(text.data(), text.data() + text.size());
}
inline double ParseDecimalPrefixDouble(std::string_view text) {
    return ParseDecimalPrefixDouble(text.data(), text.data() + text.size());
}

// Nearest float to a double, ties to even; beyond the float range an infinity of the same sign
// (a plain conversion would be undefined there).
float RoundToFloat(double value);

} // namespace kurvon
