#pragma once
// Keeps the two threads of a load off each other's records. The second thread starts writing at
// the record count it scanned in the first share; a file changed under the load can give the
// first share more records than that, and the first thread would write into them too. So the
// first claims records a block at a time before writing them, the second publishes where it
// starts, and each looks at the other's figure after publishing its own: one of them always
// sees the other. The load then ends as Changed, which the record counts tell anyway. Blocks
// start small and double, so that a first share of few records (wide lines) is rarely claimed
// past its end, which would make the second thread wait for the first.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <limits>
#include <thread>

namespace kurvon {

class RecordFence {
public:
    static constexpr std::uint64_t kFirstClaim = 64;
    static constexpr std::uint64_t kLargestClaim = 4096;

    // First thread, before it writes `record`: false once the second thread writes from there.
    bool FirstMayWrite(std::uint64_t record) {
        if (record < m_claimed)
            return true;
        if (record >= m_limit)
            return false;
        m_claimed = std::min(record + m_block, m_limit);
        m_block = std::min(m_block * 2, kLargestClaim);
        m_claim.store(m_claimed);
        const std::uint64_t start = m_secondStart.load();
        if (start < m_limit) {
            m_limit = start;
            m_claimed = std::min(m_claimed, start);
        }
        return record < m_claimed;
    }

    // First thread, when it has written its last value.
    void FirstDone() { m_firstDone.store(true, std::memory_order_release); }

    // Second thread, before it writes from `start` on. A claim past `start` is mostly a block
    // claimed beyond the share's last record: the second then waits for the first to finish.
    // False when stopped while waiting.
    bool SecondMayStart(std::uint64_t start, const std::atomic<bool>* stop) {
        m_secondStart.store(start);
        if (m_claim.load() <= start)
            return true;
        while (!m_firstDone.load(std::memory_order_acquire)) {
            if (stop && stop->load(std::memory_order_relaxed))
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

private:
    // Both seq_cst: the store of one's figure and the load of the other's must not be reordered.
    std::atomic<std::uint64_t> m_claim{0};
    std::atomic<std::uint64_t> m_secondStart{std::numeric_limits<std::uint64_t>::max()};
    std::atomic<bool> m_firstDone{false};
    // The first thread's own.
    std::uint64_t m_claimed = 0;
    std::uint64_t m_block = kFirstClaim;
    std::uint64_t m_limit = std::numeric_limits<std::uint64_t>::max();
};

} // namespace kurvon
