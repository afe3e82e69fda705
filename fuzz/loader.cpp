// The loader on arbitrary bytes, with small read chunks (so chunks grow around long lines) and
// one or two threads, held to a whole-text reading of the same bytes: status, counts, names,
// every value bit for bit, the widened extremes and the initial view window.

#include "data/Loader.h"
#include "data/DataGrowth.h"
#include "data/FieldRule.h"
#include "data/FollowReader.h"
#include "data/TabMode.h"
#include "data/TextLines.h"
#include "platform/DecimalParse.h"

#include "FuzzCheck.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace kurvon;

class NoProgress : public ProgressSink {
public:
    void SetPosition(int position) override { FUZZ_CHECK(position >= 0 && position <= 100); }
    void Show() override {}
};

// What the file holds, read in one piece.
struct Expected {
    std::vector<std::string> names;
    std::vector<std::vector<float>> columns;
    std::uint32_t records = 0;
};

// The lines of the text in one sweep: LF ends a line and takes a CR just before it along.
std::vector<std::string_view> WholeLines(const char* begin, const char* end) {
    std::vector<std::string_view> lines;
    for (const char* p = begin; p < end;) {
        const char* lf = std::find(p, end, '\n');
        const char* stop = lf != end && lf > p && lf[-1] == '\r' ? lf - 1 : lf;
        lines.emplace_back(p, static_cast<std::size_t>(stop - p));
        p = lf == end ? end : lf + 1;
    }
    return lines;
}

std::vector<std::string> Fields(std::string_view line, FieldMode mode) {
    std::vector<std::string> fields;
    ForEachField(mode, line.data(), line.data() + line.size(),
                 [&fields](const char* b, const char* e) {
                     fields.emplace_back(b, e);
                     return true;
                 });
    return fields;
}

Expected ReadWhole(const char* begin, const char* end) {
    std::vector<std::string_view> lines;
    for (std::string_view line : WholeLines(begin, FindTextEnd(begin, end)))
        if (!IsBlankLine(line.data(), line.data() + line.size()))
            lines.push_back(line);
    Expected e;
    if (lines.size() < 4) // header, names, two records
        return e;
    const FieldMode mode = ChooseFieldMode(lines[1], lines[2]);
    e.names = Fields(lines[1], mode);
    e.records = static_cast<std::uint32_t>(lines.size() - 2);
    e.columns.assign(e.names.size(), std::vector<float>(e.records, 0.0f));
    for (std::uint32_t r = 0; r < e.records; ++r) {
        const std::vector<std::string> fields = Fields(lines[r + 2], mode);
        for (std::size_t c = 0; c < fields.size() && c < e.names.size(); ++c)
            e.columns[c][r] = ParseDecimalPrefix(fields[c]);
    }
    return e;
}

bool SameFloats(const Column& a, const std::vector<float>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
}

// The loader starts its second threads only when std::thread::hardware_concurrency(), which
// asks the C library's get_nprocs(), says there are two processors. Answered here per run.
int g_processors = 2;

// The loaded file lives in memory: no disk traffic per run.
int g_file = -1;

} // namespace

extern "C" int get_nprocs() {
    return g_processors;
}

// Loaded while growing: the first part as a load, the rest appended in two steps and followed,
// and the held-back last line settled, give what one load of the whole gave.
void CheckGrowth(const char* begin, const char* end, const LoadOptions& options,
                 ProgressSink& progress, const LoadResult& whole, std::uint8_t where) {
    const auto size = static_cast<std::size_t>(end - begin);
    const std::size_t cut = size * where / 256, middle = cut + (size - cut) / 2;
    FUZZ_CHECK(ftruncate(g_file, 0) == 0);
    FUZZ_CHECK(pwrite(g_file, begin, cut, 0) == static_cast<ssize_t>(cut));
    const std::string path = "/proc/self/fd/" + std::to_string(g_file);
    LoadResult grown = LoadDataFile(path, progress, options);
    if (grown.status != LoadStatus::Loaded)
        return;
    FollowReader reader(path, grown.follow);
    GrowingData growing{grown.settled, grown.follow.provisional};
    for (const std::size_t to : {middle, size, size}) {
        const std::size_t from = static_cast<std::size_t>(reader.Point().stamp.size);
        if (to > from)
            FUZZ_CHECK(pwrite(g_file, begin + from, to - from, static_cast<off_t>(from)) ==
                       static_cast<ssize_t>(to - from));
        do {
            const Growth growth = reader.Look(to == size && from == size, 1 + where * 7);
            FUZZ_CHECK(growth.kind == GrowthKind::Nothing || growth.kind == GrowthKind::Records);
            if (growth.kind == GrowthKind::Records)
                FUZZ_CHECK(AppendGrowth(grown.data, growing, growth, grown.listMin, grown.listMax));
        } while (reader.More());
    }
    FUZZ_CHECK(grown.data.recordCount == whole.data.recordCount);
    for (std::uint32_t c = 0; c < whole.data.channelCount; ++c) {
        FUZZ_CHECK(grown.data.columns[c].size() == whole.data.recordCount);
        FUZZ_CHECK(std::memcmp(grown.data.columns[c].data(), whole.data.columns[c].data(),
                               whole.data.recordCount * sizeof(float)) == 0);
        FUZZ_CHECK(grown.data.summaries[c] == whole.data.summaries[c]);
    }
    FUZZ_CHECK(grown.listMin == whole.listMin && grown.listMax == whole.listMax);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    LoadOptions options;
    options.colorSeed = data[0];
    // Chunks of a few bytes make every line cross chunk ends (and chunks grow), at the cost of a
    // read each; most runs take larger ones.
    const unsigned chunkByte = data[0];
    options.readChunkBytes = chunkByte < 0x40   ? 1 + chunkByte % 16
                             : chunkByte < 0xC0 ? chunkByte * 4
                                                : std::size_t(1) << 14;
    // Two threads cost a thread start each and wait for each other in 2 ms steps: one run in
    // eight takes them, the others see a single processor and start no thread at all.
    const bool twoThreads = data[1] % 8 == 0;
    options.parallelMinBytes = twoThreads ? 0 : std::uint64_t(1) << 62;
    g_processors = twoThreads ? 2 : 1;
    const char* begin = reinterpret_cast<const char*>(data) + 2;
    const char* end = reinterpret_cast<const char*>(data) + size;

    if (g_file < 0)
        g_file = memfd_create("kurvon-fuzz.kvd", 0);
    FUZZ_CHECK(g_file >= 0);
    FUZZ_CHECK(ftruncate(g_file, 0) == 0);
    FUZZ_CHECK(pwrite(g_file, begin, static_cast<std::size_t>(end - begin), 0) == end - begin);

    NoProgress progress;
    const LoadResult result =
        LoadDataFile("/proc/self/fd/" + std::to_string(g_file), progress, options);
    const Expected expected = ReadWhole(begin, end);
    const DataSet& d = result.data;
    if (expected.records < 2) {
        FUZZ_CHECK(result.status == LoadStatus::TooFewRecords);
        FUZZ_CHECK(d.columns.empty() && d.recordCount == 0);
        return 0;
    }
    FUZZ_CHECK(result.status == LoadStatus::Loaded);
    FUZZ_CHECK(d.recordCount == expected.records);
    FUZZ_CHECK(d.channelCount == expected.names.size());
    FUZZ_CHECK(d.names == expected.names);
    FUZZ_CHECK(d.columns.size() == d.channelCount && d.colors.size() == d.channelCount);
    FUZZ_CHECK(d.minima.size() == d.channelCount && d.maxima.size() == d.channelCount);
    FUZZ_CHECK(result.listMin.size() == d.channelCount && result.listMax.size() == d.channelCount);
    for (std::uint32_t c = 0; c < d.channelCount; ++c) {
        const std::vector<float>& column = expected.columns[c];
        FUZZ_CHECK(SameFloats(d.columns[c], column));
        const auto [lo, hi] = std::minmax_element(column.begin(), column.end());
        FUZZ_CHECK(d.minima[c] == *lo && d.maxima[c] == *hi);
    }
    FUZZ_CHECK(result.firstRecord == 0 && result.lastRecord == d.recordCount - 1);
    FUZZ_CHECK(result.firstRecord < result.lastRecord);
    CheckGrowth(begin, end, options, progress, result, data[1]);
    return 0;
}
