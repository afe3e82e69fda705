#include "data/Loader.h"

#include "data/ChannelColors.h"
#include "data/CountingPass.h"
#include "data/Extremes.h"
#include "data/FieldRule.h"
#include "data/InputFile.h"
#include "data/LeadingLines.h"
#include "data/LineChunks.h"
#include "data/ListText.h"
#include "data/LoadPass.h"
#include "data/MemoryBudget.h"
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

// The open file and what the pass found in it. Only a chunk of it is ever held.
struct Text {
    InputFile file;
    std::uint64_t fileSize = 0;
    FieldMode mode = FieldMode::Usual;
    std::uint64_t channels = 0;
    ByteSum head; // the first bytes as they were before the pass
    PassResult pass;
};

// The first bytes are summed before the pass and again after it: a rewrite of the header that
// keeps the file's size and time shows there.
constexpr std::uint64_t kHeadBytes = std::uint64_t(64) << 10;

LoadStatus SumBytes(const InputFile& file, std::uint64_t to, const LoadOptions& options,
                    ByteSum& sum) {
    LineChunks chunks(file, 0, to, options.readChunkBytes, false);
    const PassOutcome outcome = FeedWindows(
        chunks, [&] { return IsCancelled(options); },
        [](const LineWindow& window) { return window.end; });
    sum = chunks.Sum();
    return StatusOf(outcome);
}

LoadStatus OpenText(const std::string& path, const LoadOptions& options, Text& text) {
    if (!text.file.Open(path))
        return LoadStatus::CannotOpen;
    // A file that grows from now on is read as it is now.
    text.fileSize = text.file.Size();
    return SumBytes(text.file, std::min(kHeadBytes, text.fileSize), options, text.head);
}

// Picks the field rule from the names line and the first data line; the names line gives the
// channel count by that rule.
LoadStatus ChooseMode(const LoadOptions& options, Text& text) {
    LeadingLines lines;
    const LoadStatus status = StatusOf(
        ReadLeadingLines(text.file, text.fileSize, options.readChunkBytes, options.cancel, lines));
    if (status != LoadStatus::Loaded)
        return status;
    text.mode = ChooseFieldMode(lines.names, lines.firstData);
    text.channels =
        CountFields(lines.names.data(), lines.names.data() + lines.names.size(), text.mode);
    return LoadStatus::Loaded;
}

// The most records of this many channels that fit in `available` bytes.
std::uint64_t MostRecords(std::uint64_t channels, std::uint64_t available) {
    std::uint64_t low = 0;
    std::uint64_t high = std::numeric_limits<std::uint32_t>::max();
    while (low < high) {
        const std::uint64_t middle = low + (high - low + 1) / 2;
        if (DataSetBytes(middle, channels) <= available)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

// Counts the records ahead of the pass, for when the columns cannot be made room for the most
// records there could be.
LoadStatus CountRecords(const Text& text, const LoadOptions& options, std::uint64_t& records) {
    CountingPass counting(text.fileSize, nullptr, std::numeric_limits<std::uint64_t>::max());
    LineChunks chunks(text.file, 0, text.fileSize, options.readChunkBytes, true);
    const PassOutcome outcome = FeedWindows(
        chunks, [&] { return IsCancelled(options); },
        [&](const LineWindow& window) { return counting.Feed(window); });
    records = counting.Records();
    return StatusOf(outcome);
}

bool ReserveColumns(DataSet& data, std::uint64_t records, const LoadOptions& options) {
    std::atomic<bool> failed{false};
    RunOnTwoThreads(data.channelCount, [&](std::uint32_t first, std::uint32_t last) {
        for (std::uint32_t c = first; c < last && !IsCancelled(options) && !failed; ++c) {
            if (!data.columns[c].Reserve(records))
                failed = true;
        }
    });
    return !failed;
}

// Each column gets the room of the most records this many channels could ever have in memory,
// as address space, so that the pass and then following the file write in place. Where that
// much address space is not to be had, or it would be small columns on the heap (very many
// channels), the records are counted first and the columns take what the file holds now.
LoadStatus Allocate(Text& text, const LoadOptions& options, DataSet& data, std::uint64_t& capacity,
                    bool& counted) {
    if (text.channels > std::numeric_limits<std::uint32_t>::max())
        return LoadStatus::OutOfMemory;
    // The table and its summaries, and a read buffer per parsing thread.
    const std::uint64_t memory = PhysicalMemoryBytes();
    const std::uint64_t reading = 2 * std::uint64_t(options.readChunkBytes);
    const std::uint64_t available = memory > reading ? memory - reading : 0;

    data.channelCount = static_cast<std::uint32_t>(text.channels);
    data.colors = DrawChannelColors(data.channelCount, options.colorSeed);
    data.names.assign(data.channelCount, std::string());
    data.columns.resize(data.channelCount);
    capacity = MostRecords(data.channelCount, available);
    counted =
        capacity * sizeof(float) < kInPlaceColumnBytes || !ReserveColumns(data, capacity, options);
    if (counted) {
        data.columns.assign(data.channelCount, Column());
        std::uint64_t records = 0;
        if (const LoadStatus status = CountRecords(text, options, records);
            status != LoadStatus::Loaded)
            return status;
        if (records > capacity)
            return records < 2 ? LoadStatus::TooFewRecords : LoadStatus::OutOfMemory;
        capacity = records;
        if (!ReserveColumns(data, capacity, options))
            return LoadStatus::OutOfMemory;
    }
    return IsCancelled(options) ? LoadStatus::Cancelled : LoadStatus::Loaded;
}

LoadStatus Parse(Text& text, ProgressGate& progress, const LoadOptions& options,
                 std::uint64_t capacity, bool counted, DataSet& data) {
    std::vector<float*> columns(data.channelCount);
    for (std::uint32_t c = 0; c < data.channelCount; ++c)
        columns[c] = data.columns[c].data();
    PassJob job;
    job.file = &text.file;
    job.fileSize = text.fileSize;
    job.chunkBytes = options.readChunkBytes;
    job.columns = columns.data();
    job.channels = data.channelCount;
    job.capacity = capacity;
    job.commit = data.channelCount != 0 && data.columns[0].Reserved();
    job.names = &data.names;
    job.mode = text.mode;
    job.parallelMinBytes = options.parallelMinBytes;
    job.cancel = options.cancel;
    const PassOutcome outcome = RunLoadPass(job, progress, text.pass);
    if (text.pass.overflow) // counted records that are not there any more: it changed
        return counted ? LoadStatus::FileChanged : LoadStatus::OutOfMemory;
    return StatusOf(outcome);
}

// The pass read each byte once. The header is read again, and when the file was written to
// during the load, all the text: a file cut and grown back, or rewritten in place, then shows.
LoadStatus CheckUnchanged(const Text& text, const LoadOptions& options) {
    ByteSum head;
    LoadStatus status = SumBytes(text.file, std::min(kHeadBytes, text.fileSize), options, head);
    if (status != LoadStatus::Loaded)
        return status;
    if (head != text.head || text.file.ChangedSinceOpen())
        return LoadStatus::FileChanged;
    if (!text.file.WrittenSinceOpen())
        return LoadStatus::Loaded;
    ByteSum all;
    if ((status = SumBytes(text.file, text.pass.textEnd, options, all)) != LoadStatus::Loaded)
        return status;
    return all == text.pass.sum ? LoadStatus::Loaded : LoadStatus::FileChanged;
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
                // The summary's one pass over the column gives the extremes too.
                data.summaries[c].Build(values, data.recordCount);
                Extremes e =
                    ExtremesOfClasses(data.summaries[c].Range(values, 0, settled - 1), values);
                result.settled[c] = e;
                ExtendExtremes(e, values + settled, data.recordCount - settled);
                data.minima[c] = e.minimum;
                data.maxima[c] = e.maximum;
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
    const std::uint64_t end = text.pass.textEnd;
    point.ended = end < text.fileSize;
    // The last line lies within the longest line the readers held.
    const std::uint64_t from = end - std::min<std::uint64_t>(end, text.pass.chunkBytes + 1);
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
}

// A file that changes under the load fails it: a read that ends before the size it had at the
// start, a size below that or the same size with a new time afterwards, a header with other
// bytes, or, once it was written to, a text with other bytes. A longer file has grown and is
// read up to its starting size. Not seen: a rewrite within the clock tick of the file's time
// that leaves its header alone.
LoadStatus Load(const std::string& path, ProgressGate& progress, const LoadOptions& options,
                LoadResult& result) {
    Text text;
    LoadStatus status = OpenText(path, options, text);
    if (status != LoadStatus::Loaded)
        return status;
    if ((status = ChooseMode(options, text)) != LoadStatus::Loaded)
        return status;
    std::uint64_t capacity = 0;
    bool counted = false;
    DataSet& data = result.data;
    if ((status = Allocate(text, options, data, capacity, counted)) != LoadStatus::Loaded)
        return status;
    if ((status = Parse(text, progress, options, capacity, counted, data)) != LoadStatus::Loaded)
        return status;
    progress.Rise(15); // two threads may have gone on from 15 already
    if (text.file.ChangedSinceOpen())
        return LoadStatus::FileChanged;
    if (text.pass.records < 2)
        return LoadStatus::TooFewRecords;
    data.recordCount = static_cast<std::uint32_t>(text.pass.records);
    for (Column& column : data.columns)
        column.Resize(data.recordCount); // no values move: the pass wrote them in place
    if (!ReplayParsing(text.pass, progress, options.cancel))
        return LoadStatus::Cancelled;
    if ((status = CheckUnchanged(text, options)) != LoadStatus::Loaded)
        return status;
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
