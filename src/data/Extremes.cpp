#include "data/Extremes.h"

namespace kurvon {

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
