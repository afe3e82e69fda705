#include "data/CountRunner.h"

#include "data/CountingPass.h"
#include "data/HelperThread.h"
#include "data/LineChunks.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>

namespace kurvon {

namespace {

bool IsSet(const std::atomic<bool>* flag) {
    return flag && flag->load(std::memory_order_relaxed);
}

// Counts [from, to) into pass, stopping at a Ctrl-Z; afterEach runs after every window.
template <typename AfterEach>
PassOutcome CountRange(const CountJob& job, std::uint64_t from, std::uint64_t to,
                       CountingPass& pass, const std::atomic<bool>* stop, Counts& counts,
                       AfterEach&& afterEach) {
    LineChunks chunks(*job.file, from, to, job.chunkBytes, true);
    const PassOutcome outcome = FeedWindows(
        chunks, [stop] { return IsSet(stop); },
        [&](const LineWindow& window) {
            const char* rest = pass.Feed(window);
            afterEach();
            return rest;
        });
    if (outcome != PassOutcome::Done)
        return outcome;
    counts.sum += chunks.Sum();
    counts.textEnd = chunks.End();
    counts.chunkBytes = std::max(counts.chunkBytes, chunks.Capacity());
    return PassOutcome::Done;
}

void TakeCounts(const CountingPass& pass, Counts& counts) {
    counts.channels = pass.Channels();
    counts.records = pass.Records();
    counts.split = pass.Split();
}

PassOutcome RunSequential(const CountJob& job, ProgressGate& progress, Counts& counts) {
    CountingPass pass(job.fileSize, &progress, job.fileSize / 2);
    const PassOutcome outcome = CountRange(job, 0, job.fileSize, pass, job.cancel, counts, [] {});
    TakeCounts(pass, counts);
    return outcome;
}

// The first line start at or after offset (at least 1), if a line starts there before size and
// within the longest line a reader holds: past that the counting fails on one thread anyway.
std::optional<std::uint64_t> LineStartFrom(const InputFile& file, std::uint64_t offset,
                                           std::uint64_t size) {
    char piece[4096];
    const std::uint64_t end = std::min(size, offset + kMaxLineBytes);
    for (std::uint64_t at = offset - 1; at < end;) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof piece, end - at));
        const std::int64_t n = file.ReadAt(at, piece, want);
        if (n <= 0)
            return std::nullopt;
        if (const void* lf = std::memchr(piece, '\n', static_cast<std::size_t>(n))) {
            const std::uint64_t start =
                at + static_cast<std::uint64_t>(static_cast<const char*>(lf) - piece) + 1;
            return start < size ? std::optional(start) : std::nullopt;
        }
        at += static_cast<std::uint64_t>(n);
    }
    return std::nullopt;
}

PassOutcome RunParallel(const CountJob& job, ProgressGate& progress, Counts& counts,
                        std::uint64_t middle) {
    // The second thread takes every non-blank line of its share for a data line; whether the
    // names line came before is known once the first share is counted.
    ParseCursor secondStart;
    secondStart.offset = secondStart.position = middle;
    secondStart.nonBlank = 2;
    CountingPass second(job.fileSize, nullptr, std::numeric_limits<std::uint64_t>::max(),
                        secondStart);
    Counts secondCounts;
    PassOutcome secondOutcome = PassOutcome::Cancelled;
    HelperThread helper;
    const bool started = helper.Start([&] {
        secondOutcome =
            CountRange(job, middle, job.fileSize, second, helper.StopFlag(), secondCounts,
                       [&] { helper.Publish(second.Cursor().offset - middle); });
    });
    if (!started)
        return RunSequential(job, progress, counts);

    CountingPass first(job.fileSize, &progress, std::numeric_limits<std::uint64_t>::max());
    PassOutcome outcome = CountRange(job, 0, middle, first, job.cancel, counts,
                                     [&] { first.SetOtherBytes(helper.BytesDone()); });
    const bool endedEarly = counts.textEnd < middle; // a Ctrl-Z
    if (outcome != PassOutcome::Done || endedEarly || first.Cursor().nonBlank < 2) {
        helper.StopAndJoin();
        if (outcome != PassOutcome::Done || endedEarly) {
            TakeCounts(first, counts);
            return outcome;
        }
        // The names line lies past the middle: count on from there on this thread.
        first.SetOtherBytes(0);
        outcome = CountRange(job, middle, job.fileSize, first, job.cancel, counts, [] {});
        TakeCounts(first, counts);
        return outcome;
    }
    // Keep the progress moving while the second share finishes.
    while (!helper.Finished()) {
        if (IsSet(job.cancel))
            helper.Stop();
        progress.SendTruncated(CountingPosition(middle + helper.BytesDone(), job.fileSize));
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    helper.Join();
    if (secondOutcome != PassOutcome::Done)
        return secondOutcome;
    counts.textEnd = secondCounts.textEnd;
    counts.chunkBytes = std::max(counts.chunkBytes, secondCounts.chunkBytes);
    counts.sum += secondCounts.sum;
    counts.channels = first.Channels();
    counts.records = first.Records() + second.Records();
    counts.split = first.Cursor();
    return PassOutcome::Done;
}

} // namespace

PassOutcome RunCountingPass(const CountJob& job, ProgressGate& progress, Counts& counts) {
    if (job.fileSize >= job.parallelMinBytes && job.fileSize >= 2 &&
        std::thread::hardware_concurrency() >= 2) {
        if (const auto middle = LineStartFrom(*job.file, job.fileSize / 2, job.fileSize))
            return RunParallel(job, progress, counts, *middle);
    }
    return RunSequential(job, progress, counts);
}

} // namespace kurvon
