#include "platform/PortableRand.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

TEST(PortableRand, ClassicSequence) {
    // The sequence the classic C library rand gives after srand(1), and after srand(0).
    PortableRand rand;
    for (int expected : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(rand.Next(), expected);
    rand.Seed(0);
    EXPECT_EQ(rand.Next(), 38);
    EXPECT_EQ(rand.Next(), 7719);
    for (int i = 0; i < 100000; ++i) {
        const int value = rand.Next();
        ASSERT_TRUE(value >= 0 && value <= PortableRand::kMax) << value;
    }
}

} // namespace
} // namespace kurvon
