// The decimal-prefix conversion against the C library: the prefix is found by the documented
// grammar, strtod converts it, and the float is that double rounded to nearest.

#include "platform/DecimalParse.h"

#include "FuzzCheck.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Where the longest "[space][sign]digits[.digits][e[sign]digits]" prefix ends; begin if none.
const char* PrefixEnd(const char* begin, const char* end) {
    const char* p = begin;
    while (p < end && IsCSpace(*p))
        ++p;
    if (p < end && (*p == '+' || *p == '-'))
        ++p;
    int digits = 0;
    for (; p < end && IsDigit(*p); ++p)
        ++digits;
    if (p < end && *p == '.')
        for (++p; p < end && IsDigit(*p); ++p)
            ++digits;
    if (digits == 0)
        return begin;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q < end && (*q == '+' || *q == '-'))
            ++q;
        if (q < end && IsDigit(*q)) {
            while (q < end && IsDigit(*q))
                ++q;
            p = q;
        }
    }
    return p;
}

float ToNearestFloat(double d) {
    // From half an ulp above the largest float on, the nearest float is the infinity.
    const double halfway =
        (static_cast<double>(3.40282346638528859811704183484516925e+38f) + std::ldexp(1.0, 128)) /
        2;
    if (std::fabs(d) >= halfway)
        return std::copysign(INFINITY, static_cast<float>(d > 0 ? 1 : -1));
    return static_cast<float>(d);
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A NUL and a line end behind the text: strtod stops at the NUL, and the field form may read
    // the byte at end.
    std::string text(reinterpret_cast<const char*>(data), size);
    if (text.find('\0') != std::string::npos)
        text.resize(text.find('\0'));
    const char* begin = text.data();
    const char* end = begin + text.size();

    const char* expectedStop = PrefixEnd(begin, end);
    double expected = 0.0;
    if (expectedStop != begin) {
        const std::string prefix(begin, expectedStop);
        char* libcStop = nullptr;
        expected = std::strtod(prefix.c_str(), &libcStop);
        FUZZ_CHECK(libcStop == prefix.c_str() + prefix.size());
    }

    const char* stop = nullptr;
    const double asDouble = kurvon::ParseDecimalPrefixDouble(begin, end, &stop);
    FUZZ_CHECK(stop == expectedStop);
    FUZZ_CHECK(SameBits(asDouble, expected));

    const float expectedFloat = ToNearestFloat(expected);
    stop = nullptr;
    FUZZ_CHECK(SameBits(kurvon::ParseDecimalPrefix(begin, end, &stop), expectedFloat));
    FUZZ_CHECK(stop == expectedStop);

    // The loader's form: a field ends before a byte no number can hold, here the NUL.
    const char* fieldEnd = begin;
    while (fieldEnd < end && *fieldEnd != ' ' && *fieldEnd != '\t')
        ++fieldEnd;
    std::string field(begin, fieldEnd);
    const char* fieldStop = nullptr;
    const float fieldValue =
        kurvon::ParseDecimalField(field.data(), field.data() + field.size(), &fieldStop);
    FUZZ_CHECK(SameBits(fieldValue,
                        kurvon::ParseDecimalPrefix(field.data(), field.data() + field.size())));
    return 0;
}
