#include "data/ParseRunner.h"

#include "data/LineChunks.h"
#include "data/ParsingPass.h"

#include <chrono>
#include <system_error>
#include <thread>

namespace kurvon {

namespace {

constexpr std::uint32_t kCancelCheckLines = 4096;
constexpr std::uint32_t kPublishLines = 1024;

bool IsSet(const std::atomic<bool>* flag) {
    return flag && flag->load(std::memory_order_relaxed);
}

// Parses the lines from start up to the offset end, records below recordEnd only. stop is also
// looked at once per chunk, so a run of blank lines or one long line is cancelled too.
template <typename OnLine>
ParseOutcome ParseRange(const ParseJob& job, const ParseCursor& start, std::uint64_t end,
                        std::uint64_t recordEnd, std::vector<std::string>* names,
                        const std::atomic<bool>* stop, OnLine&& onLine) {
    LineChunks chunks(*job.file, start.offset, end, job.chunkBytes, false);
    ParsingPass pass(job.columns, job.channels, recordEnd, names, start);
    LineWindow window;
    for (;;) {
        if (IsSet(stop))
            return ParseOutcome::Cancelled;
        switch (chunks.Next(window)) {
        case LineChunks::Step::Done:
            return ParseOutcome::Done;
        case LineChunks::Step::ReadError:
            return ParseOutcome::ReadError;
        case LineChunks::Step::Window:
            break;
        }
        const char* rest = pass.Feed(window, onLine);
        if (!rest)
            return ParseOutcome::Cancelled;
        chunks.Keep(rest);
    }
}

ParseOutcome RunSequential(const ParseJob& job, ProgressGate& progress) {
    std::uint32_t lines = 0;
    return ParseRange(job, ParseCursor{}, job.textEnd, job.records, job.names, job.cancel,
                      [&](std::uint64_t position) {
                          progress.SendTruncated(ParsingPosition(position, job.fileSize));
                          return (++lines % kCancelCheckLines) != 0 || !IsSet(job.cancel);
                      });
}

// The second thread's share: records from the split on. It publishes the bytes it has done so
// that the calling thread can report them.
struct SecondHalf {
    std::atomic<std::uint64_t> bytesDone{0};
    std::atomic<bool> finished{false};
    std::atomic<bool> stop{false};
    ParseOutcome outcome = ParseOutcome::Cancelled; // read only after join
};

void RunSecondHalf(const ParseJob& job, SecondHalf& half) {
    const ParseCursor start = *job.split;
    std::uint32_t lines = 0;
    half.outcome = ParseRange(
        job, start, job.textEnd, job.records, nullptr, &half.stop, [&](std::uint64_t position) {
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

ParseOutcome RunParallel(const ParseJob& job, ProgressGate& progress) {
    SecondHalf half;
    std::thread worker;
    try {
        worker = std::thread(RunSecondHalf, std::cref(job), std::ref(half));
    } catch (const std::system_error&) {
        return RunSequential(job, progress);
    }
    JoinGuard guard(worker, half);

    const std::uint64_t splitOffset = job.split->offset;
    std::uint32_t lines = 0;
    std::uint64_t otherBytes = 0;
    const ParseOutcome first =
        ParseRange(job, ParseCursor{}, splitOffset, job.split->record, job.names, job.cancel,
                   [&](std::uint64_t position) {
                       if (++lines % kPublishLines == 0) {
                           otherBytes = half.bytesDone.load(std::memory_order_relaxed);
                           if (lines % kCancelCheckLines == 0 && IsSet(job.cancel))
                               return false;
                       }
                       progress.SendTruncated(ParsingPosition(position + otherBytes, job.fileSize));
                       return true;
                   });
    if (first != ParseOutcome::Done) {
        half.stop.store(true, std::memory_order_relaxed);
        worker.join();
        return first;
    }
    // Keep the progress moving while the second half finishes.
    while (!half.finished.load(std::memory_order_acquire)) {
        if (IsSet(job.cancel))
            half.stop.store(true, std::memory_order_relaxed);
        progress.SendTruncated(ParsingPosition(
            splitOffset + half.bytesDone.load(std::memory_order_relaxed), job.fileSize));
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    worker.join();
    return half.outcome;
}

} // namespace

ParseOutcome RunParsingPass(const ParseJob& job, ProgressGate& progress) {
    const bool parallel = job.split && job.split->offset < job.textEnd &&
                          job.textEnd >= job.parallelMinBytes &&
                          std::thread::hardware_concurrency() >= 2;
    return parallel ? RunParallel(job, progress) : RunSequential(job, progress);
}

} // namespace kurvon
