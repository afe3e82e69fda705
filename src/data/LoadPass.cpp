#include "data/LoadPass.h"

#include "data/ColumnBlocks.h"
#include "data/CountingPass.h"
#include "data/HelperThread.h"
#include "data/LineChunks.h"
#include "data/ParsingPass.h"
#include "data/RecordFence.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <optional>
#include <thread>

namespace kurvon {

namespace {

constexpr std::uint32_t kCancelCheckLines = 4096;
constexpr std::uint32_t kPublishLines = 1024;
// On two threads a position is worked out every so many lines: far below a percent of a file
// large enough for two threads.
constexpr std::uint32_t kSendLines = 16;

bool IsSet(const std::atomic<bool>* flag) {
    return flag && flag->load(std::memory_order_relaxed);
}

// What one thread's stretch of the pass found.
struct Share {
    ParseCursor cursor; // the pass's counters where it stopped
    std::uint64_t textEnd = 0;
    std::size_t chunkBytes = 0;
    ByteSum sum;
    bool overflow = false;
};

// Parses from start up to the offset end or a Ctrl-Z. After every non-blank line calls
// onLine(position, records so far); false stops the pass. stop is also looked at once per
// chunk, so a run of blank lines or one long line is cancelled too. With a fence, records it
// refuses are counted but not written: the record counts then tell the change.
template <typename OnLine>
PassOutcome ParseRange(const PassJob& job, const ParseCursor& start, std::uint64_t end,
                       const std::atomic<bool>* stop, RecordFence* fence, Share& share,
                       OnLine&& onLine) {
    LineChunks chunks(*job.file, start.offset, end, job.chunkBytes, true);
    ParsingPass pass(job.columns, job.channels, job.capacity, job.names, start, job.mode);
    ColumnBlocks blocks(job.columns, job.channels, job.capacity, job.commit);
    // The next record must be writable before its line is parsed. One past the capacity is
    // not written, and fails the pass only once its line comes; the first two need no room
    // either, so that a file of one record is still too short rather than too large.
    const auto ready = [&](std::uint64_t record) {
        if (record < job.capacity ? blocks.Reach(record)
                                  : record <= std::max<std::uint64_t>(job.capacity, 1))
            return true;
        share.overflow = true;
        return false;
    };
    if (!ready(start.record))
        return PassOutcome::Cancelled;
    const PassOutcome outcome = FeedWindows(
        chunks, [stop] { return IsSet(stop); },
        [&](const LineWindow& window) {
            return pass.Feed(window, [&](std::uint64_t position) {
                const std::uint64_t record = pass.Cursor().record;
                if (fence && !fence->FirstMayWrite(record))
                    pass.StopWritingAt(record);
                return ready(record) && onLine(position, record);
            });
        });
    share.cursor = pass.Cursor();
    share.chunkBytes = std::max(share.chunkBytes, chunks.Capacity());
    if (outcome == PassOutcome::Done) {
        share.textEnd = chunks.End();
        share.sum = chunks.Sum();
    }
    return outcome;
}

void TakeShare(const Share& share, PassResult& result) {
    result.records = share.cursor.record;
    result.textEnd = share.textEnd;
    result.chunkBytes = std::max(result.chunkBytes, share.chunkBytes);
    result.sum = share.sum;
    result.overflow = share.overflow;
}

// The position of a pass of one thread, truncated and clamped as the progress gate does.
int PositionOf(double position) {
    if (!(position >= 0.0))
        return 0;
    return position > 100.0 ? 100 : static_cast<int>(position);
}

PassOutcome RunSequential(const PassJob& job, ProgressGate& progress, PassResult& result) {
    Share share;
    std::uint32_t lines = 0;
    const PassOutcome outcome =
        ParseRange(job, ParseCursor{}, job.fileSize, job.cancel, nullptr, share,
                   [&](std::uint64_t position, std::uint64_t) {
                       progress.SendTruncated(CountingPosition(position, job.fileSize));
                       const int parsing = PositionOf(ParsingPosition(position, job.fileSize));
                       if (result.parsing.empty() || result.parsing.back() != parsing)
                           result.parsing.push_back(parsing);
                       return (++lines % kCancelCheckLines) != 0 || !IsSet(job.cancel);
                   });
    TakeShare(share, result);
    return outcome;
}

// On two threads one position runs over the bytes both have parsed, 0 to 95, passing 15; it
// stays at 15 until two records are known, as a file too short to load stops there.
void SendCombined(ProgressGate& progress, std::uint64_t bytes, std::uint64_t size,
                  bool twoRecords) {
    const int position = PositionOf(static_cast<double>(bytes) / static_cast<double>(size) * 95);
    progress.Rise(std::min(position, 15));
    if (twoRecords)
        progress.Rise(std::min(position, 95));
}

// The first line start at or after offset (at least 1), if a line starts there before size and
// within the longest line a reader holds: past that the pass fails on one thread anyway.
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

// The second thread's work: counts the lines of [0, middle) as the first thread will find
// them, then parses on from middle with those counts.
struct SecondHalf {
    PassOutcome outcome = PassOutcome::Cancelled;
    Share scan; // the counts at middle, or at a Ctrl-Z before it
    Share parse;
    bool parsed = false; // it wrote values
    // Its own names: the first thread may be writing the shared ones when the file changed
    // under the scan. Taken only when the names line lies in the second share.
    std::vector<std::string> names;
};

void RunSecondHalf(const PassJob& job, std::uint64_t middle, HelperThread& helper,
                   RecordFence& fence, SecondHalf& second) {
    CountingPass counting(job.fileSize, nullptr, std::numeric_limits<std::uint64_t>::max());
    LineChunks chunks(*job.file, 0, middle, job.chunkBytes, true);
    second.outcome = FeedWindows(
        chunks, [&] { return IsSet(helper.StopFlag()); },
        [&](const LineWindow& window) { return counting.Feed(window); });
    second.scan.chunkBytes = chunks.Capacity();
    if (second.outcome != PassOutcome::Done)
        return;
    second.scan.cursor = counting.Cursor();
    second.scan.textEnd = chunks.End();
    second.scan.sum = chunks.Sum();
    if (second.scan.textEnd < middle)
        return; // a Ctrl-Z: the text ends in the first half
    if (!fence.SecondMayStart(second.scan.cursor.record, helper.StopFlag())) {
        second.outcome = PassOutcome::Cancelled;
        return;
    }
    second.parsed = true;
    PassJob own = job;
    if (job.names) {
        second.names.resize(job.names->size());
        own.names = &second.names;
    }
    std::uint32_t lines = 0;
    second.outcome = ParseRange(own, second.scan.cursor, job.fileSize, helper.StopFlag(), nullptr,
                                second.parse, [&](std::uint64_t position, std::uint64_t) {
                                    if (++lines % kPublishLines == 0)
                                        helper.Publish(position - middle);
                                    return true;
                                });
    helper.Publish(job.fileSize - middle);
}

PassOutcome RunParallel(const PassJob& job, ProgressGate& progress, PassResult& result,
                        std::uint64_t middle) {
    SecondHalf second;
    RecordFence fence;
    HelperThread helper;
    if (!helper.Start([&] { RunSecondHalf(job, middle, helper, fence, second); }))
        return RunSequential(job, progress, result);

    Share first;
    std::uint32_t lines = 0;
    std::uint64_t otherBytes = 0;
    const PassOutcome outcome = ParseRange(
        job, ParseCursor{}, middle, job.cancel, &fence, first,
        [&](std::uint64_t position, std::uint64_t records) {
            if (++lines % kPublishLines == 0) {
                otherBytes = helper.BytesDone();
                if (lines % kCancelCheckLines == 0 && IsSet(job.cancel))
                    return false;
            }
            if (lines % kSendLines == 0 || records < 2)
                SendCombined(progress, position + otherBytes, job.fileSize, records >= 2);
            return true;
        });
    fence.FirstDone();
    if (outcome != PassOutcome::Done || first.textEnd < middle) {
        helper.StopAndJoin();
        TakeShare(first, result);
        // Values written past a Ctrl-Z the scan did not see would break the zeros there.
        return outcome == PassOutcome::Done && second.parsed ? PassOutcome::Changed : outcome;
    }
    // Keep the progress moving while the second half finishes.
    while (!helper.Finished()) {
        if (IsSet(job.cancel))
            helper.Stop();
        SendCombined(progress, middle + helper.BytesDone(), job.fileSize, first.cursor.record >= 2);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    helper.Join();
    result.chunkBytes = std::max(first.chunkBytes, second.scan.chunkBytes);
    if (second.outcome != PassOutcome::Done) {
        result.overflow = second.parse.overflow;
        return second.outcome;
    }
    // Both threads must have read the same first half.
    const ParseCursor& scanned = second.scan.cursor;
    if (!second.parsed || scanned.nonBlank != first.cursor.nonBlank ||
        scanned.record != first.cursor.record || second.scan.sum != first.sum)
        return PassOutcome::Changed;
    if (job.names && scanned.nonBlank < 2)
        *job.names = std::move(second.names);
    TakeShare(second.parse, result);
    result.chunkBytes = std::max({result.chunkBytes, first.chunkBytes, second.scan.chunkBytes});
    result.sum += first.sum;
    SendCombined(progress, job.fileSize, job.fileSize, result.records >= 2);
    return PassOutcome::Done;
}

} // namespace

PassOutcome RunLoadPass(const PassJob& job, ProgressGate& progress, PassResult& result) {
    result = PassResult{};
    if (job.fileSize >= job.parallelMinBytes && job.fileSize >= 2 &&
        std::thread::hardware_concurrency() >= 2) {
        // The second thread also scans the first share, at about a sixth of the cost of parsing
        // it: give it a little less to parse. So split, the two finish within a few hundredths
        // of a second of each other on a gigabyte; 139/256 already leaves the first one last.
        if (const auto middle = LineStartFrom(*job.file, job.fileSize / 32 * 17, job.fileSize))
            return RunParallel(job, progress, result, *middle);
    }
    return RunSequential(job, progress, result);
}

bool ReplayParsing(const PassResult& result, ProgressGate& progress,
                   const std::atomic<bool>* cancel) {
    for (const int position : result.parsing) {
        if (IsSet(cancel))
            return false;
        progress.Send(position);
    }
    return !IsSet(cancel);
}

} // namespace kurvon
