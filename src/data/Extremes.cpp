#include "data/Extremes.h"

#include <cmath>

namespace kurvon {

namespace {

constexpr std::uint64_t kLanes = 8;

// The scan in lanes the compiler vectorises. The value the strict comparisons settle on is
// numerically the same in every order; only a zero can be equal to another value with other
// bits, and the scan keeps the first zero it met.
template <typename Before> float Extreme(float start, const float* values, std::uint64_t count) {
    if (std::isnan(start))
        return start; // nothing compares past it
    float lanes[kLanes];
    for (float& lane : lanes)
        lane = start;
    const std::uint64_t whole = count / kLanes * kLanes;
    for (std::uint64_t r = 0; r < whole; r += kLanes) {
        for (std::uint64_t j = 0; j < kLanes; ++j) {
            const float v = values[r + j];
            lanes[j] = Before()(v, lanes[j]) ? v : lanes[j];
        }
    }
    float result = start;
    for (const float lane : lanes)
        result = Before()(lane, result) ? lane : result;
    for (std::uint64_t r = whole; r < count; ++r)
        result = Before()(values[r], result) ? values[r] : result;
    if (result != 0.0f || start == 0.0f)
        return result == 0.0f ? start : result;
    for (std::uint64_t r = 0;; ++r) {
        if (values[r] == 0.0f)
            return values[r];
    }
}

struct Less {
    bool operator()(float a, float b) const { return a < b; }
};
struct Greater {
    bool operator()(float a, float b) const { return a > b; }
};

} // namespace

Extremes ChannelExtremes(const float* values, std::uint64_t count) {
    Extremes result{values[0], values[0]};
    ExtendExtremes(result, values, count);
    return result;
}

void ExtendExtremes(Extremes& e, const float* values, std::uint64_t count) {
    e.minimum = Extreme<Less>(e.minimum, values, count);
    e.maximum = Extreme<Greater>(e.maximum, values, count);
}

} // namespace kurvon
