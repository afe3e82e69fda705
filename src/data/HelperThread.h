#pragma once
// The second thread of a pass: it works on its own share, publishes how many bytes it has done
// and says when it has finished; the calling thread can ask it to stop. Joined on every way
// out, exceptions included; what the work throws is rethrown by Join.

#include <atomic>
#include <cstdint>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>

namespace kurvon {

class HelperThread {
public:
    HelperThread() = default;
    HelperThread(const HelperThread&) = delete;
    HelperThread& operator=(const HelperThread&) = delete;
    ~HelperThread() {
        m_stop.store(true, std::memory_order_relaxed);
        if (m_thread.joinable())
            m_thread.join();
    }

    // False when no thread could be started; the caller then does the share itself.
    template <typename Fn> bool Start(Fn&& work) {
        try {
            m_thread = std::thread([this, work = std::forward<Fn>(work)]() mutable {
                try {
                    work();
                } catch (...) {
                    m_failure = std::current_exception(); // read after the join
                }
                m_finished.store(true, std::memory_order_release);
            });
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    }

    void StopAndJoin() {
        m_stop.store(true, std::memory_order_relaxed);
        Join();
    }
    void Join() {
        if (m_thread.joinable())
            m_thread.join();
        if (m_failure)
            std::rethrow_exception(std::exchange(m_failure, nullptr));
    }

    // For the helper.
    const std::atomic<bool>* StopFlag() const { return &m_stop; }
    void Publish(std::uint64_t bytesDone) {
        m_bytesDone.store(bytesDone, std::memory_order_relaxed);
    }

    // For the calling thread.
    std::uint64_t BytesDone() const { return m_bytesDone.load(std::memory_order_relaxed); }
    bool Finished() const { return m_finished.load(std::memory_order_acquire); }
    void Stop() { m_stop.store(true, std::memory_order_relaxed); }

private:
    std::thread m_thread;
    std::atomic<std::uint64_t> m_bytesDone{0};
    std::atomic<bool> m_finished{false};
    std::atomic<bool> m_stop{false};
    std::exception_ptr m_failure;
};

} // namespace kurvon
