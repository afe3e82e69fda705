#include "data/ChannelSummary.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

namespace kurvon {
namespace {

TEST(ChannelSummary, RangesAgreeWithTheValuesOneByOne) {
    // Mostly finite columns, so that whole blocks take the lane path, with now and then an
    // infinity or a NaN that sends its block down the value-by-value path.
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::mt19937 random(3);
    std::uniform_real_distribution<float> finite(-1000.0f, 1000.0f);
    for (int round = 0; round < 200; ++round) {
        std::vector<float> v(1 + random() % 3000);
        for (float& x : v) {
            const unsigned pick = random() % 2000;
            x = pick == 0 ? inf : pick == 1 ? -inf : pick == 2 ? nan : finite(random);
        }
        ChannelSummary summary;
        summary.Build(v.data(), static_cast<std::uint32_t>(v.size()));
        for (int query = 0; query < 50; ++query) {
            auto first = static_cast<std::uint32_t>(random() % v.size());
            auto last = static_cast<std::uint32_t>(random() % v.size());
            if (first > last)
                std::swap(first, last);
            ValueClasses expected;
            for (std::uint32_t i = first; i <= last; ++i)
                expected.Add(v[i]);
            const ValueClasses got = summary.Range(v.data(), first, last);
            ASSERT_EQ(got.flags, expected.flags) << round;
            if (expected.flags & ValueClasses::kFinite) {
                ASSERT_EQ(got.minFinite, expected.minFinite) << round;
                ASSERT_EQ(got.maxFinite, expected.maxFinite) << round;
            }
        }
    }
}

} // namespace
} // namespace kurvon
