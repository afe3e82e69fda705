#include "data/ParseRunner.h"

#include "data/ParsingPass.h"

#include <chrono>
#include <system_error>
#include <thread>

namespace kurvon {

namespace {

constexpr std::uint32_t kCancelCheckLines = 4096;
constexpr std::uint32_t kPublishLines = 1024;

bool IsCancelled(const std::atomic<bool>* cancel) {
    return cancel && cancel->load(std::memory_order_relaxed);
}

bool RunSequential(const ParseJob& job, ProgressGate& progress) {
    ParsingPass pass(job.text, job.columns, job.channels, job.records, job.names);
    std::uint32_t lines = 0;
    return pass.Run(ParseCursor{}, job.textEnd, [&](std::uint64_t position) {
        progress.SendTruncated(ParsingPosition(position, job.fileSize));
        return (++lines % kCancelCheckLines) != 0 || !IsCancelled(job.cancel);
    });
}

// The second thread's share: records from the split on. It publishes the bytes it has done so
// that the calling thread can report them.
struct SecondHalf {
    std::atomic<std::uint64_t> bytesDone{0};
    std::atomic<bool> finished{false};
    std::atomic<bool> stop{false};
    bool completed = false; // read only after join
};

void RunSecondHalf(const ParseJob& job, SecondHalf& half) {
    const ParseCursor start = *job.split;
    ParsingPass pass(job.text, job.columns, job.channels, job.records, job.names);
    std::uint32_t lines = 0;
    half.completed = pass.Run(start, job.textEnd, [&](std::uint64_t position) {
        if (++lines % kPublishLines != 0)
            return true;
        half.bytesDone.store(position - start.position, std::memory_order_relaxed);
        return !half.stop.load(std::memory_order_relaxed);
    });
    half.bytesDone.store(job.textEnd - start.offset, std::memory_order_relaxed);
    half.finished.store(true, std::memory_order_release);
}

// Joins the second thread on every way out, exceptions included.
class JoinGuard {
public:
    JoinGuard(std::thread& thread, SecondHalf& half) : m_thread(thread), m_half(half) {}
    ~JoinGuard() {
        if (m_thread.joinable()) {
            m_half.stop.store(true, std::memory_order_relaxed);
            m_thread.join();
        }
    }
    JoinGuard(const JoinGuard&) = delete;
    JoinGuard& operator=(const JoinGuard&) = delete;

private:
    std::thread& m_thread;
    SecondHalf& m_half;
};

bool RunParallel(const ParseJob& job, ProgressGate& progress) {
    SecondHalf half;
    std::thread worker;
    try {
        worker = std::thread(RunSecondHalf, std::cref(job), std::ref(half));
    } catch (const std::system_error&) {
        return RunSequential(job, progress);
    }
    JoinGuard guard(worker, half);

    const std::size_t splitOffset = job.split->offset;
    ParsingPass pass(job.text, job.columns, job.channels, job.records, job.names);
    std::uint32_t lines = 0;
    std::uint64_t otherBytes = 0;
    bool cancelled = false;
    const bool firstDone = pass.Run(ParseCursor{}, splitOffset, [&](std::uint64_t position) {
        if (++lines % kPublishLines == 0) {
            otherBytes = half.bytesDone.load(std::memory_order_relaxed);
            if (lines % kCancelCheckLines == 0 && IsCancelled(job.cancel)) {
                cancelled = true;
                return false;
            }
        }
        progress.SendTruncated(ParsingPosition(position + otherBytes, job.fileSize));
        return true;
    });
    if (!firstDone || cancelled) {
        half.stop.store(true, std::memory_order_relaxed);
        worker.join();
        return false;
    }
    // Keep the progress moving while the second half finishes.
    while (!half.finished.load(std::memory_order_acquire)) {
        if (IsCancelled(job.cancel))
            half.stop.store(true, std::memory_order_relaxed);
        progress.SendTruncated(ParsingPosition(
            splitOffset + half.bytesDone.load(std::memory_order_relaxed), job.fileSize));
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    worker.join();
    return half.completed;
}

} // namespace

bool RunParsingPass(const ParseJob& job, ProgressGate& progress) {
    const bool parallel = job.split && job.split->offset < job.textEnd &&
                          job.textEnd >= kParallelParseMinBytes &&
                          std::thread::hardware_concurrency() >= 2;
    return parallel ? RunParallel(job, progress) : RunSequential(job, progress);
}

} // namespace kurvon
