// The two threads of a load never write the same record, even when the first share holds more
// records than the second thread counted in it (a file changed under the load).

#include "data/RecordFence.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>
#include <vector>

namespace kurvon {
namespace {

TEST(RecordFence, EachSideSeesTheOther) {
    const std::atomic<bool> stopped{true};
    {
        SCOPED_TRACE("second started first: the first stops at its start");
        RecordFence fence;
        ASSERT_TRUE(fence.SecondMayStart(100, &stopped));
        EXPECT_TRUE(fence.FirstMayWrite(0));
        EXPECT_TRUE(fence.FirstMayWrite(99));
        EXPECT_FALSE(fence.FirstMayWrite(100));
        EXPECT_FALSE(fence.FirstMayWrite(5000));
    }
    {
        SCOPED_TRACE("claimed below the start: the second goes on, the next claim sees it");
        RecordFence fence;
        ASSERT_TRUE(fence.FirstMayWrite(0));
        ASSERT_TRUE(fence.SecondMayStart(RecordFence::kFirstClaim + 10, &stopped));
        EXPECT_TRUE(fence.FirstMayWrite(RecordFence::kFirstClaim + 9));
        EXPECT_FALSE(fence.FirstMayWrite(RecordFence::kFirstClaim + 10));
    }
    {
        SCOPED_TRACE("claimed past the start: the second waits for the first to finish");
        RecordFence fence;
        ASSERT_TRUE(fence.FirstMayWrite(0));
        EXPECT_FALSE(fence.SecondMayStart(10, &stopped));
        fence.FirstDone();
        EXPECT_TRUE(fence.SecondMayStart(10, &stopped));
    }
}

// Under ThreadSanitizer a record written by both at once is reported.
TEST(RecordFence, ThreadsNeverWriteTheSameRecord) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const std::uint64_t start = random() % 20000;
        const std::uint64_t firstEnd = start + random() % 10000; // past the start: changed
        const std::uint64_t end = firstEnd + 5000;
        std::vector<int> records(end, 0);
        RecordFence fence;
        const std::atomic<bool> stop{false};
        std::thread second([&] {
            ASSERT_TRUE(fence.SecondMayStart(start, &stop));
            for (std::uint64_t r = start; r < end; ++r)
                records[r] = 2;
        });
        std::uint64_t r = 0;
        for (; r < firstEnd && fence.FirstMayWrite(r); ++r)
            records[r] = 1;
        fence.FirstDone();
        second.join();
        EXPECT_GE(r, start) << round; // never stopped short of the second's records
        for (std::uint64_t k = start; k < end; ++k)
            ASSERT_EQ(records[k], 2) << round << " record " << k;
    }
}

} // namespace
} // namespace kurvon
