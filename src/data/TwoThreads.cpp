#include "data/TwoThreads.h"

#include <system_error>
#include <thread>

namespace kurvon {

std::uint32_t RunOnTwoThreads(std::uint32_t count,
                              const std::function<void(std::uint32_t, std::uint32_t)>& work) {
    const std::uint32_t half = count / 2;
    if (half == 0 || std::thread::hardware_concurrency() < 2) {
        work(0, count);
        return count;
    }
    std::exception_ptr failure;
    std::thread worker;
    try {
        worker = std::thread([&] {
            try {
                work(half, count);
            } catch (...) {
                failure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        work(0, count);
        return count;
    }
    try {
        work(0, half);
    } catch (...) {
        worker.join();
        throw;
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    return half;
}

} // namespace kurvon
