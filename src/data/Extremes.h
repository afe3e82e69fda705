#pragma once
// The smallest and largest value of one channel, with strict comparisons starting from the
// first record's value (so the first of equal values wins, -0 and +0 included).

#include "data/ValueClasses.h"

#include <cstdint>

namespace kurvon {

struct Extremes {
    float minimum = 0.0f;
    float maximum = 0.0f;
};

// count must be at least 1.
Extremes ChannelExtremes(const float* values, std::uint64_t count);

// The same as ChannelExtremes over a stretch from values[0] on whose value classes are known,
// without reading it again but for a signed zero (the first zero decides) or a leading NaN.
Extremes ExtremesOfClasses(const ValueClasses& classes, const float* values);

// Goes on with the scan over count more values, as if they had followed the first ones.
void ExtendExtremes(Extremes& e, const float* values, std::uint64_t count);

} // namespace kurvon
