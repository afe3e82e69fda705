#include "platform/PortableRand.h"

#include <gtest/gtest.h>

#include <vector>

namespace kurvon {
namespace {

TEST(PortableRand, ClassicSequence) {
    // The sequence the classic C library rand gives after srand(1), and after srand(0).
    PortableRand rand;
    std::vector<int> drawn;
    for (int i = 0; i < 5; ++i)
        drawn.push_back(rand.Next());
    EXPECT_EQ(drawn, (std::vector<int>{41, 18467, 6334, 26500, 19169}));

    rand.Seed(0);
    EXPECT_EQ(rand.Next(), 38);
    EXPECT_EQ(rand.Next(), 7719);
    for (int i = 0; i < 100000; ++i) {
        const int value = rand.Next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, PortableRand::kMax);
    }
}

} // namespace
} // namespace kurvon
