#include "data/Loader.h"

#include "data/ByteBuffer.h"
#include "data/ChannelColors.h"
#include "data/CountingPass.h"
#include "data/Extremes.h"
#include "data/InputFile.h"
#include "data/ListText.h"
#include "data/MemoryBudget.h"
#include "data/ParseRunner.h"
#include "data/ProgressGate.h"
#include "data/TextLines.h"

#include <algorithm>
#include <ctime>
#include <limits>
#include <new>
#include <stdexcept>

namespace kurvon {

namespace {

// The file is read in blocks so that the counting pass runs on what has arrived and a cancel
// is noticed while a large file is still being read.
constexpr std::size_t kReadBlock = std::size_t(8) << 20;

bool IsCancelled(const LoadOptions& options) {
    return options.cancel && options.cancel->load(std::memory_order_relaxed);
}

// The file's bytes, held until the parsing pass is done, and what the counting pass found.
struct Text {
    ByteBuffer bytes;
    std::size_t end = 0; // the text end: first Ctrl-Z, or the bytes read
    std::uint64_t fileSize = 0;
    std::uint64_t channels = 0;
    std::uint64_t records = 0;
    std::optional<ParseCursor> split;
};

// Reads the file once, counting as the blocks arrive.
LoadStatus ReadAndCount(const std::string& path, ProgressGate& progress, const LoadOptions& options,
                        Text& text) {
    InputFile file;
    if (!file.Open(path))
        return LoadStatus::CannotOpen;
    const std::uint64_t size = file.Size();
    if (size > PhysicalMemoryBytes() || size >= std::numeric_limits<std::size_t>::max())
        return LoadStatus::OutOfMemory;
    text.fileSize = size;
    text.bytes.Allocate(static_cast<std::size_t>(size));
    char* const bytes = text.bytes.Data();

    CountingPass counting(bytes, size, progress, static_cast<std::size_t>(size / 2));
    std::size_t read = 0;
    std::size_t textEnd = std::numeric_limits<std::size_t>::max();
    while (read < size) {
        if (IsCancelled(options))
            return LoadStatus::Cancelled;
        const std::size_t want = std::min<std::uint64_t>(kReadBlock, size - read);
        const std::int64_t n = file.Read(bytes + read, want);
        if (n < 0)
            return LoadStatus::CannotOpen;
        if (n == 0)
            break; // the file shrank since it was opened
        const char* block = bytes + read;
        read += static_cast<std::size_t>(n);
        const char* stop = FindTextEnd(block, bytes + read);
        if (stop != bytes + read) {
            textEnd = static_cast<std::size_t>(stop - bytes);
            break;
        }
        counting.Feed(read, false);
    }
    text.end = std::min(textEnd, read);
    counting.Feed(text.end, true);
    text.channels = counting.Channels();
    text.records = counting.Records();
    text.split = counting.Split();
    return LoadStatus::Loaded;
}

LoadStatus Allocate(const Text& text, const LoadOptions& options, DataSet& data) {
    constexpr std::uint64_t kMaxCount = std::numeric_limits<std::uint32_t>::max();
    if (text.records > kMaxCount || text.channels > kMaxCount)
        return LoadStatus::OutOfMemory;
    const std::uint64_t memory = PhysicalMemoryBytes();
    const std::uint64_t available = memory > text.fileSize ? memory - text.fileSize : 0;
    if (DataSetBytes(text.records, text.channels) > available)
        return LoadStatus::OutOfMemory;

    data.recordCount = static_cast<std::uint32_t>(text.records);
    data.channelCount = static_cast<std::uint32_t>(text.channels);
    data.colors = DrawChannelColors(data.channelCount, options.colorSeed);
    data.names.assign(data.channelCount, std::string());
    data.columns.resize(data.channelCount);
    for (auto& column : data.columns) {
        if (IsCancelled(options))
            return LoadStatus::Cancelled;
        column.reserve(data.recordCount);
        AdviseHugePages(column.data(), data.recordCount * sizeof(float));
        column.resize(data.recordCount); // zeros: short lines leave them
    }
    return LoadStatus::Loaded;
}

LoadStatus Parse(Text& text, ProgressGate& progress, const LoadOptions& options, DataSet& data) {
    std::vector<float*> columns(data.channelCount);
    for (std::uint32_t c = 0; c < data.channelCount; ++c)
        columns[c] = data.columns[c].data();
    ParseJob job;
    job.text = text.bytes.Data();
    job.textEnd = text.end;
    job.fileSize = text.fileSize;
    job.columns = columns.data();
    job.channels = data.channelCount;
    job.records = data.recordCount;
    job.names = &data.names;
    job.split = text.split;
    job.cancel = options.cancel;
    if (!RunParsingPass(job, progress))
        return LoadStatus::Cancelled;
    return LoadStatus::Loaded;
}

LoadStatus FindExtremes(ProgressGate& progress, const LoadOptions& options, DataSet& data) {
    data.maxima.resize(data.channelCount);
    data.minima.resize(data.channelCount);
    for (std::uint32_t c = 0; c < data.channelCount; ++c) {
        if (IsCancelled(options))
            return LoadStatus::Cancelled;
        const Extremes e = ChannelExtremes(data.columns[c].data(), data.recordCount);
        data.minima[c] = e.minimum;
        data.maxima[c] = e.maximum;
        progress.SendTruncated(ExtremesPosition(c, data.channelCount));
    }
    return LoadStatus::Loaded;
}

void Finish(LoadResult& result) {
    DataSet& data = result.data;
    result.listMin.reserve(data.channelCount);
    result.listMax.reserve(data.channelCount);
    for (std::uint32_t c = 0; c < data.channelCount; ++c) {
        result.listMin.push_back(FormatListValue(data.minima[c]));
        result.listMax.push_back(FormatListValue(data.maxima[c]));
        data.maxima[c] = data.maxima[c] + 1.0f;
        data.minima[c] = data.minima[c] - 1.0f;
    }
    data.nameEncoding = NamesEncoding(data.names);
    result.firstRecord = 0;
    result.lastRecord = data.recordCount - 1;
    result.zoomStep = data.recordCount / 40;
}

LoadStatus Load(const std::string& path, ProgressGate& progress, const LoadOptions& options,
                LoadResult& result) {
    Text text;
    LoadStatus status = ReadAndCount(path, progress, options, text);
    if (status != LoadStatus::Loaded)
        return status;
    progress.Send(15);
    if (text.records < 2)
        return LoadStatus::TooFewRecords;
    if ((status = Allocate(text, options, result.data)) != LoadStatus::Loaded)
        return status;
    if ((status = Parse(text, progress, options, result.data)) != LoadStatus::Loaded)
        return status;
    text.bytes.Reset();
    progress.Send(95);
    if ((status = FindExtremes(progress, options, result.data)) != LoadStatus::Loaded)
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
