#pragma once
// Splits a count of independent items (channels) between the calling thread and one more: the
// calling thread takes [0, half), the second thread [half, count). The second thread is joined
// before the call returns; what it throws is rethrown on the calling thread. Without a second
// thread, or for a single item, the calling thread does everything.

#include <cstdint>
#include <functional>

namespace kurvon {

// Returns half: work(0, half) ran on the calling thread, work(half, count) on the other.
std::uint32_t RunOnTwoThreads(std::uint32_t count,
                              const std::function<void(std::uint32_t, std::uint32_t)>& work);

} // namespace kurvon
