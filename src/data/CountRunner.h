#pragma once
// Runs the counting pass over the file: on the calling thread alone or, for a large file, with a
// second thread counting the lines from the first line start past the middle. The calling thread
// sends every progress position, rising only. The line start where the second thread began is
// where the parsing pass splits too.

#include "data/ByteSum.h"
#include "data/InputFile.h"
#include "data/ParseCursor.h"
#include "data/PassOutcome.h"
#include "data/ProgressGate.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace kurvon {

struct CountJob {
    const InputFile* file = nullptr;
    std::uint64_t fileSize = 0; // counted as it was at the start
    std::size_t chunkBytes = 0;
    std::uint64_t parallelMinBytes = 0; // smaller files are counted on one thread
    const std::atomic<bool>* cancel = nullptr;
};

struct Counts {
    std::uint64_t textEnd = 0; // first Ctrl-Z, or the bytes read
    std::uint64_t channels = 0;
    std::uint64_t records = 0;
    std::size_t chunkBytes = 0; // per reader, grown to the longest line
    std::optional<ParseCursor> split;
    ByteSum sum; // of the text's bytes
};

// Changed: the file ended before its size at the start.

PassOutcome RunCountingPass(const CountJob& job, ProgressGate& progress, Counts& counts);

} // namespace kurvon
