#pragma once
// The end of the first parsing thread's share of a two-thread pass, which the second thread may
// pull in once it has finished its own share and takes over the rest. The first thread claims
// each read before it makes it; the end only ever moves to a place no claim has reached, so no
// line is parsed by both.

#include <algorithm>
#include <cstdint>
#include <mutex>

namespace kurvon {

class SharedEnd {
public:
    explicit SharedEnd(std::uint64_t end) : m_end(end) {}

    // For the owner of the share, before a read that stays below upTo: the end that holds for it.
    std::uint64_t Claim(std::uint64_t upTo) {
        const std::lock_guard lock(m_mutex);
        m_claimed = std::max(m_claimed, std::min(upTo, m_end));
        return m_end;
    }

    // For the other thread: moves the end down to `to`, unless a claim reaches it.
    bool MoveTo(std::uint64_t to) {
        const std::lock_guard lock(m_mutex);
        if (to < m_claimed || to >= m_end)
            return false;
        m_end = to;
        return true;
    }

    std::uint64_t Claimed() const {
        const std::lock_guard lock(m_mutex);
        return m_claimed;
    }
    std::uint64_t End() const {
        const std::lock_guard lock(m_mutex);
        return m_end;
    }

private:
    mutable std::mutex m_mutex;
    std::uint64_t m_end;
    std::uint64_t m_claimed = 0;
};

} // namespace kurvon
