#include "data/Extremes.h"

#include <cmath>
#include <limits>

namespace kurvon {

namespace {

// The comparisons settle on the first value equal to the numeric extreme; only zeros are equal
// with different bits.
float FirstEqual(float extreme, const float* values) {
    if (extreme != 0.0f)
        return extreme;
    while (*values != 0.0f)
        ++values;
    return *values;
}

} // namespace

Extremes ExtremesOfClasses(const ValueClasses& classes, const float* values) {
    // A NaN never compares past anything, so a leading one stays, and later ones are ignored.
    if (std::isnan(values[0]))
        return {values[0], values[0]};
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const bool finite = classes.flags & ValueClasses::kFinite;
    const float minimum = classes.flags & ValueClasses::kNegInf ? -kInf
                          : finite                              ? classes.minFinite
                                                                : kInf;
    const float maximum = classes.flags & ValueClasses::kPosInf ? kInf
                          : finite                              ? classes.maxFinite
                                                                : -kInf;
    return {FirstEqual(minimum, values), FirstEqual(maximum, values)};
}

Extremes ChannelExtremes(const float* values, std::uint64_t count) {
    Extremes result{values[0], values[0]};
    for (std::uint64_t r = 0; r < count; ++r) {
        const float v = values[r];
        if (v > result.maximum)
            result.maximum = v;
        if (v < result.minimum)
            result.minimum = v;
    }
    return result;
}

void ExtendExtremes(Extremes& e, const float* values, std::uint64_t count) {
    for (std::uint64_t r = 0; r < count; ++r) {
        const float v = values[r];
        if (v > e.maximum)
            e.maximum = v;
        if (v < e.minimum)
            e.minimum = v;
    }
}

} // namespace kurvon
