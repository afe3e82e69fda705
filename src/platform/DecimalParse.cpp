#include "platform/DecimalParse.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace kurvon {

namespace {

using detail::kExactPow10;
constexpr int kMaxExactPow10 = 22;
constexpr std::uint64_t kMaxExactMantissa = std::uint64_t(1) << 53;
constexpr int kMaxMantissaDigits = 19; // fits a uint64 without overflow
constexpr int kExponentCap = 100000;   // far beyond any double; avoids int overflow

inline bool IsDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

// isspace in the C locale.
inline bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

double ParseDecimalPrefixDouble(const char* p, const char* end, const char** stop) {
    const char* const begin = p;
    if (stop)
        *stop = begin;
    while (p < end && IsCSpace(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const char* numberBegin = p;

    // Up to 19 significant digits go to the mantissa; value = mantissa * 10^exp10 (+ dropped).
    std::uint64_t mantissa = 0;
    int mantissaDigits = 0;
    int exp10 = 0;
    bool truncated = false;
    bool anyDigit = false;

    for (; p < end && IsDigit(*p); ++p) {
        anyDigit = true;
        if (mantissa == 0 && *p == '0')
            continue;
        if (mantissaDigits < kMaxMantissaDigits) {
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
            ++mantissaDigits;
        } else {
            truncated |= *p != '0';
            if (exp10 < kExponentCap)
                ++exp10;
        }
    }
    if (p < end && *p == '.') {
        ++p;
        for (; p < end && IsDigit(*p); ++p) {
            anyDigit = true;
            if (mantissa == 0 && *p == '0') {
                if (exp10 > -kExponentCap)
                    --exp10;
                continue;
            }
            if (mantissaDigits < kMaxMantissaDigits) {
                mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
                ++mantissaDigits;
                --exp10;
            } else {
                truncated |= *p != '0';
            }
        }
    }
    if (!anyDigit)
        return 0.0;

    // The exponent counts only when at least one digit follows the e and its sign.
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        bool expNegative = false;
        if (q < end && (*q == '+' || *q == '-')) {
            expNegative = *q == '-';
            ++q;
        }
        if (q < end && IsDigit(*q)) {
            int exponent = 0;
            for (; q < end && IsDigit(*q); ++q) {
                if (exponent < kExponentCap)
                    exponent = exponent * 10 + (*q - '0');
            }
            exp10 += expNegative ? -exponent : exponent;
            p = q;
        }
    }
    if (stop)
        *stop = p;

    double magnitude;
    if (mantissa == 0) {
        magnitude = 0.0;
    } else if (!truncated && mantissa <= kMaxExactMantissa && exp10 >= -kMaxExactPow10 &&
               exp10 <= kMaxExactPow10) {
        // Both operands exact, so one correctly rounded operation gives the correct result.
        magnitude = static_cast<double>(mantissa);
        magnitude = exp10 < 0 ? magnitude / kExactPow10[-exp10] : magnitude * kExactPow10[exp10];
    } else if (mantissaDigits - 1 + exp10 > 400) {
        magnitude = std::numeric_limits<double>::infinity();
    } else if (mantissaDigits + exp10 < -400) {
        magnitude = 0.0;
    } else {
        // from_chars is correctly rounded; it takes no sign, which was consumed above.
        double value = 0.0;
        auto [ptr, ec] = std::from_chars(numberBegin, p, value, std::chars_format::general);
        if (ec == std::errc::result_out_of_range)
            value = mantissaDigits + exp10 > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        else if (ec != std::errc())
            value = 0.0;
        magnitude = value;
    }
    return negative ? -magnitude : magnitude;
}

} // namespace kurvon
