#include "data/ParseRunner.h"

#include "data/HelperThread.h"
#include "data/LineChunks.h"
#include "data/ParsingPass.h"

#include <chrono>
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
PassOutcome ParseRange(const ParseJob& job, const ParseCursor& start, std::uint64_t end,
                       std::uint64_t recordEnd, std::vector<std::string>* names,
                       const std::atomic<bool>* stop, ByteSum& sum, OnLine&& onLine) {
    LineChunks chunks(*job.file, start.offset, end, job.chunkBytes, false);
    ParsingPass pass(job.columns, job.channels, recordEnd, names, start, job.mode);
    const PassOutcome outcome = FeedWindows(
        chunks, [stop] { return IsSet(stop); },
        [&](const LineWindow& window) { return pass.Feed(window, onLine); });
    if (outcome == PassOutcome::Done)
        sum += chunks.Sum();
    return outcome;
}

PassOutcome RunSequential(const ParseJob& job, ProgressGate& progress, ByteSum& sum) {
    std::uint32_t lines = 0;
    return ParseRange(job, ParseCursor{}, job.textEnd, job.records, job.names, job.cancel, sum,
                      [&](std::uint64_t position) {
                          progress.SendTruncated(ParsingPosition(position, job.fileSize));
                          return (++lines % kCancelCheckLines) != 0 || !IsSet(job.cancel);
                      });
}

PassOutcome RunParallel(const ParseJob& job, ProgressGate& progress, ByteSum& sum) {
    const ParseCursor second = *job.split;
    PassOutcome secondOutcome = PassOutcome::Cancelled;
    ByteSum secondSum;
    HelperThread helper;
    const bool started = helper.Start([&] {
        std::uint32_t lines = 0;
        secondOutcome = ParseRange(job, second, job.textEnd, job.records, nullptr,
                                   helper.StopFlag(), secondSum, [&](std::uint64_t position) {
                                       if (++lines % kPublishLines == 0)
                                           helper.Publish(position - second.position);
                                       return true;
                                   });
        helper.Publish(job.textEnd - second.offset);
    });
    if (!started)
        return RunSequential(job, progress, sum);

    std::uint32_t lines = 0;
    std::uint64_t otherBytes = 0;
    const PassOutcome first =
        ParseRange(job, ParseCursor{}, second.offset, second.record, job.names, job.cancel, sum,
                   [&](std::uint64_t position) {
                       if (++lines % kPublishLines == 0) {
                           otherBytes = helper.BytesDone();
                           if (lines % kCancelCheckLines == 0 && IsSet(job.cancel))
                               return false;
                       }
                       progress.SendTruncated(ParsingPosition(position + otherBytes, job.fileSize));
                       return true;
                   });
    if (first != PassOutcome::Done) {
        helper.StopAndJoin();
        return first;
    }
    // Keep the progress moving while the second half finishes.
    while (!helper.Finished()) {
        if (IsSet(job.cancel))
            helper.Stop();
        progress.SendTruncated(ParsingPosition(second.offset + helper.BytesDone(), job.fileSize));
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    helper.Join();
    sum += secondSum;
    return secondOutcome;
}

} // namespace

PassOutcome RunParsingPass(const ParseJob& job, ProgressGate& progress, ByteSum& sum) {
    const bool parallel = job.split && job.split->offset < job.textEnd &&
                          job.textEnd >= job.parallelMinBytes &&
                          std::thread::hardware_concurrency() >= 2;
    return parallel ? RunParallel(job, progress, sum) : RunSequential(job, progress, sum);
}

} // namespace kurvon
