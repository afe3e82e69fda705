#include "data/Extremes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace kurvon {
namespace {

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The scan in record order with strict comparisons: what the extremes mean.
Extremes InOrder(const std::vector<float>& v) {
    Extremes e{v[0], v[0]};
    for (const float x : v) {
        if (x > e.maximum)
            e.maximum = x;
        if (x < e.minimum)
            e.minimum = x;
    }
    return e;
}

TEST(Extremes, FirstOfEqualValuesWinsInEveryLaneAndSplit) {
    // Few distinct values, so that ties (signed zeros above all) meet across lanes and tails.
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float pool[] = {0.0f, -0.0f, 1.5f, -1.5f, 3.0f, inf, -inf, nan};
    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round) {
        std::vector<float> v(1 + random() % 70);
        const unsigned kinds = 2 + random() % (round % 3 == 0 ? 8 : 2); // often only zeros
        for (float& x : v)
            x = pool[random() % kinds];
        const Extremes expected = InOrder(v);
        const Extremes whole = ChannelExtremes(v.data(), v.size());
        ASSERT_TRUE(SameBits(whole.minimum, expected.minimum) &&
                    SameBits(whole.maximum, expected.maximum))
            << round;
        const std::size_t split = 1 + random() % v.size();
        Extremes parts = ChannelExtremes(v.data(), split);
        ExtendExtremes(parts, v.data() + split, v.size() - split);
        ASSERT_TRUE(SameBits(parts.minimum, expected.minimum) &&
                    SameBits(parts.maximum, expected.maximum))
            << round;
    }
}

} // namespace
} // namespace kurvon
