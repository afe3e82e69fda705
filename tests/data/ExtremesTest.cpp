#include "data/Extremes.h"
#include "data/ChannelSummary.h"

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

TEST(Extremes, FromTheSummaryAsFromTheScanSignedZerosInfinitiesAndNaNs) {
    // Few distinct values, so that ties (signed zeros above all) are common; stretches longer
    // than a summary block, and the settled part without the last record as the loader asks.
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float pool[] = {0.0f, -0.0f, 1.5f, -1.5f, 3.0f, inf, -inf, nan};
    std::mt19937 random(11);
    for (int round = 0; round < 5000; ++round) {
        std::vector<float> v(1 + random() % (round % 4 == 0 ? 700 : 70));
        const unsigned kinds = 2 + random() % (round % 3 == 0 ? 7 : 2); // often zeros only
        for (float& x : v)
            x = pool[random() % kinds];
        ChannelSummary summary;
        summary.Build(v.data(), static_cast<std::uint32_t>(v.size()));
        for (const std::size_t n : {v.size(), std::size_t(1) + random() % v.size()}) {
            const std::vector<float> part(v.begin(), v.begin() + static_cast<long>(n));
            const Extremes expected = InOrder(part);
            const Extremes got = ExtremesOfClasses(
                summary.Range(v.data(), 0, static_cast<std::uint32_t>(n - 1)), v.data());
            ASSERT_TRUE(SameBits(got.minimum, expected.minimum) &&
                        SameBits(got.maximum, expected.maximum))
                << round << " " << n;
        }
    }
}

} // namespace
} // namespace kurvon
