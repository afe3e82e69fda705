#include "data/TwoThreads.h"

#include "data/HelperThread.h"

namespace kurvon {

std::uint32_t RunOnTwoThreads(std::uint32_t count,
                              const std::function<void(std::uint32_t, std::uint32_t)>& work) {
    const std::uint32_t half = count / 2;
    HelperThread helper;
    if (half == 0 || std::thread::hardware_concurrency() < 2 ||
        !helper.Start([&] { work(half, count); })) {
        work(0, count);
        return count;
    }
    work(0, half); // should it throw, the helper is joined on the way out
    helper.Join();
    return half;
}

} // namespace kurvon
