#include "data/Loader.h"

#include "data/ChannelColors.h"
#include "data/CountRunner.h"
#include "data/Extremes.h"
#include "data/FieldRule.h"
#include "data/InputFile.h"
#include "data/LeadingLines.h"
#include "data/LineChunks.h"
#include "data/ListText.h"
#include "data/MemoryBudget.h"
#include "data/ParseRunner.h"
#include "data/ProgressGate.h"
#include "data/TabMode.h"
#include "data/TwoThreads.h"
#include "platform/SystemAccess.h"

#include <algorithm>
#include <atomic>
#include <ctime>
#include <limits>
#include <new>
#include <stdexcept>

namespace kurvon {

namespace {

LoadStatus StatusOf(PassOutcome outcome) {
    switch (outcome) {
    case PassOutcome::Done:
        return LoadStatus::Loaded;
    case PassOutcome::Cancelled:
        return LoadStatus::Cancelled;
    case PassOutcome::Changed:
        return LoadStatus::FileChanged;
    case PassOutcome::ReadError:
        break;
    }
    return LoadStatus::CannotOpen;
}

bool IsCancelled(const LoadOptions& options) {
    return options.cancel && options.cancel->load(std::memory_order_relaxed);
}

// The open file and what the counting pass found in it. The parsing pass reads the file again:
// only a chunk of it is ever held.
struct Text {
    InputFile file;
    std::uint64_t fileSize = 0;
    Counts counts;
    FieldMode mode = FieldMode::Usual;
};

LoadStatus ReadAndCount(const std::string& path, ProgressGate& progress, const LoadOptions& options,
                        Text& text) {
    if (!text.file.Open(path))
        return LoadStatus::CannotOpen;
    // A file that grows from now on is read as it is now.
    text.fileSize = text.file.Size();
    CountJob job;
    job.file = &text.file;
    job.fileSize = text.fileSize;
    job.chunkBytes = options.readChunkBytes;
    job.parallelMinBytes = options.parallelMinBytes;
    job.cancel = options.cancel;
    return StatusOf(RunCountingPass(job, progress, text.counts));
}

// Picks the field rule from the names line and the first data line; at tabs the names line
// gives the channel count anew. The record count is the same either way.
LoadStatus ChooseMode(const LoadOptions& options, Text& text) {
    LeadingLines lines;
    const LoadStatus status = StatusOf(ReadLeadingLines(
        text.file, text.counts.textEnd, text.counts.chunkBytes, options.cancel, lines));
    if (status != LoadStatus::Loaded)
        return status;
    text.mode = ChooseFieldMode(lines.names, lines.firstData);
    if (text.mode == FieldMode::Tabs)
        text.counts.channels = CountFields(
            lines.names.data(), lines.names.data() + lines.names.size(), FieldMode::Tabs);
    return LoadStatus::Loaded;
}

LoadStatus Allocate(const Text& text, const LoadOptions& options, DataSet& data) {
    constexpr std::uint64_t kMaxCount = std::numeric_limits<std::uint32_t>::max();
    if (text.counts.records > kMaxCount || text.counts.channels > kMaxCount)
        return LoadStatus::OutOfMemory;
    // The table and its summaries, and a read buffer per parsing thread.
    const std::uint64_t memory = PhysicalMemoryBytes();
    const std::uint64_t reading = 2 * std::uint64_t(text.counts.chunkBytes);
    const std::uint64_t available = memory > reading ? memory - reading : 0;
    if (DataSetBytes(text.counts.records, text.counts.channels) > available)
        return LoadStatus::OutOfMemory;

    data.recordCount = static_cast<std::uint32_t>(text.counts.records);
    data.channelCount = static_cast<std::uint32_t>(text.counts.channels);
    data.colors = DrawChannelColors(data.channelCount, options.colorSeed);
    data.names.assign(data.channelCount, std::string());
    data.columns.resize(data.channelCount);
    // Each column reserves the address space of the most records this many channels could ever
    // have in memory, so that following the file appends in place. Where that much address
    // space is not to be had (a limit on it), the column takes what it holds now.
    const std::uint64_t growTo = std::min<std::uint64_t>(
        kMaxCount, available / std::max<std::uint64_t>(1, DataSetBytes(1, data.channelCount)));
    std::atomic<bool> failed{false};
    // Filling the columns faults their pages in: both cores share it.
    RunOnTwoThreads(data.channelCount, [&](std::uint32_t first, std::uint32_t last) {
        for (std::uint32_t c = first; c < last && !IsCancelled(options); ++c) {
            Column& column = data.columns[c];
            if (!column.Reserve(std::max<std::uint64_t>(growTo, data.recordCount)) &&
                !column.Reserve(data.recordCount)) {
                failed = true;
                return;
            }
            column.Resize(data.recordCount); // zeros: short lines leave them
            PrepareLargeBlock(column.data(), data.recordCount * sizeof(float));
        }
    });
    if (failed)
        return LoadStatus::OutOfMemory;
    return IsCancelled(options) ? LoadStatus::Cancelled : LoadStatus::Loaded;
}

LoadStatus Parse(const Text& text, ProgressGate& progress, const LoadOptions& options,
                 DataSet& data) {
    std::vector<float*> columns(data.channelCount);
    for (std::uint32_t c = 0; c < data.channelCount; ++c)
        columns[c] = data.columns[c].data();
    ParseJob job;
    job.file = &text.file;
    job.textEnd = text.counts.textEnd;
    job.fileSize = text.fileSize;
    job.chunkBytes = text.counts.chunkBytes;
    job.columns = columns.data();
    job.channels = data.channelCount;
    job.records = data.recordCount;
    job.names = &data.names;
    job.mode = text.mode;
    job.split = text.counts.split;
    job.parallelMinBytes = options.parallelMinBytes;
    job.cancel = options.cancel;
    ByteSum sum;
    const LoadStatus status = StatusOf(RunParsingPass(job, progress, sum));
    // Both passes must have read the same bytes.
    if (status == LoadStatus::Loaded && sum != text.counts.sum)
        return LoadStatus::FileChanged;
    return status;
}

LoadStatus FindExtremes(ProgressGate& progress, const LoadOptions& options, bool provisional,
                        LoadResult& result) {
    DataSet& data = result.data;
    data.maxima.resize(data.channelCount);
    data.minima.resize(data.channelCount);
    data.summaries.resize(data.channelCount);
    result.settled.resize(data.channelCount);
    // The scan stops before a provisional last record and then takes it in: the same result,
    // and the extremes without it for when following reads that line again.
    const std::uint32_t settled = data.recordCount - (provisional ? 1 : 0);
    // Each thread scans its own channels; the calling thread reports its half as it goes and
    // the other half once joined, so the positions come in channel order.
    const std::uint32_t half =
        RunOnTwoThreads(data.channelCount, [&](std::uint32_t first, std::uint32_t last) {
            for (std::uint32_t c = first; c < last && !IsCancelled(options); ++c) {
                const float* values = data.columns[c].data();
                Extremes e = ChannelExtremes(values, settled);
                result.settled[c] = e;
                ExtendExtremes(e, values + settled, data.recordCount - settled);
                data.minima[c] = e.minimum;
                data.maxima[c] = e.maximum;
                data.summaries[c].Build(data.columns[c].data(), data.recordCount);
                if (first == 0)
                    progress.SendTruncated(ExtremesPosition(c, data.channelCount));
            }
        });
    if (IsCancelled(options))
        return LoadStatus::Cancelled;
    for (std::uint32_t c = half; c < data.channelCount; ++c)
        progress.SendTruncated(ExtremesPosition(c, data.channelCount));
    return LoadStatus::Loaded;
}

// Where following goes on: after the last line end, or at a Ctrl-Z. A last line without line
// end counts as a record, as always, but stays provisional: when the file grows it is read
// again with what was appended to it.
LoadStatus FindFollowPoint(const Text& text, LoadResult& result) {
    FollowPoint& point = result.follow;
    point.mode = text.mode;
    point.channels = result.data.channelCount;
    point.stamp = text.file.Opened();
    point.records = result.data.recordCount;
    const std::uint64_t end = text.counts.textEnd;
    point.ended = end < text.fileSize;
    // The last line lies within the longest line the readers held.
    const std::uint64_t from = end - std::min<std::uint64_t>(end, text.counts.chunkBytes + 1);
    std::string tail(static_cast<std::size_t>(end - from), '\0');
    std::uint64_t got = 0;
    while (got < tail.size()) {
        const std::int64_t n = text.file.ReadAt(from + got, tail.data() + got, tail.size() - got);
        if (n <= 0)
            return n < 0 ? LoadStatus::CannotOpen : LoadStatus::FileChanged;
        got += static_cast<std::uint64_t>(n);
    }
    const std::size_t lineStart = tail.rfind('\n') == std::string::npos ? 0 : tail.rfind('\n') + 1;
    point.offset = from + lineStart;
    if (!point.ended) {
        point.held = tail.substr(lineStart);
        point.provisional = !IsBlankLine(point.held.data(), point.held.data() + point.held.size());
        if (point.provisional)
            --point.records;
    } else {
        point.offset = end; // the line before a Ctrl-Z is final
    }
    const std::size_t keep = std::min(kRecentBytes, lineStart);
    point.recent = tail.substr(lineStart - keep, keep);
    if (point.ended)
        point.recent = tail.substr(tail.size() - std::min(kRecentBytes, tail.size()));
    return LoadStatus::Loaded;
}

void Finish(LoadResult& result) {
    DataSet& data = result.data;
    result.listMin.reserve(data.channelCount);
    result.listMax.reserve(data.channelCount);
    for (std::uint32_t c = 0; c < data.channelCount; ++c) {
        result.listMin.push_back(FormatListValue(data.minima[c]));
        result.listMax.push_back(FormatListValue(data.maxima[c]));
    }
    data.nameEncoding = NamesEncoding(data.names);
    result.firstRecord = 0;
    result.lastRecord = data.recordCount - 1;
    result.zoomStep = data.recordCount / 40;
}

// A file that changes under the load fails it: a read that ends before the size it had at the
// start, a size below that or the same size with a new time afterwards, or passes that read
// different bytes. A longer file has grown and is read up to its starting size. Not seen: a
// rewrite that makes the file longer and changes only bytes neither pass has read yet, or a
// same-size rewrite within the clock tick of the file's time that both passes read alike.
LoadStatus Load(const std::string& path, ProgressGate& progress, const LoadOptions& options,
                LoadResult& result) {
    Text text;
    LoadStatus status = ReadAndCount(path, progress, options, text);
    if (status != LoadStatus::Loaded)
        return status;
    progress.Send(15);
    if (text.file.ChangedSinceOpen())
        return LoadStatus::FileChanged;
    if (text.counts.records < 2)
        return LoadStatus::TooFewRecords;
    if ((status = ChooseMode(options, text)) != LoadStatus::Loaded)
        return status;
    if ((status = Allocate(text, options, result.data)) != LoadStatus::Loaded)
        return status;
    if ((status = Parse(text, progress, options, result.data)) != LoadStatus::Loaded)
        return status;
    if (text.file.ChangedSinceOpen())
        return LoadStatus::FileChanged;
    progress.Send(95);
    if ((status = FindFollowPoint(text, result)) != LoadStatus::Loaded)
        return status;
    if ((status = FindExtremes(progress, options, result.follow.provisional, result)) !=
        LoadStatus::Loaded)
        return status;
    progress.Send(99);
    Finish(result);
    return LoadStatus::Loaded;
}

} // namespace

LoadResult LoadDataFile(const std::string& path, ProgressSink& sink, const LoadOptions& options) {
    ProgressGate progress(sink);
    progress.Send(0);
    sink.Show();

    LoadResult result;
    try {
        result.status = Load(path, progress, options, result);
    } catch (const std::bad_alloc&) {
        result.status = LoadStatus::OutOfMemory;
    } catch (const std::length_error&) {
        result.status = LoadStatus::OutOfMemory;
    } catch (const LineTooLong&) {
        result.status = LoadStatus::LineTooLong;
    }
    if (result.status != LoadStatus::Loaded) {
        // A failed load leaves no data set behind.
        const LoadStatus status = result.status;
        result = LoadResult{};
        result.status = status;
    }
    return result;
}

std::uint32_t CurrentColorSeed() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

} // namespace kurvon
