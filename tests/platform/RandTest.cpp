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
    for (int expected : {38, 7719, 21238, 2437, 8855})
        EXPECT_EQ(rand.Next(), expected);
}

} // namespace
} // namespace kurvon
