#pragma once
// The one pass of a load over the file: names and values straight into columns whose record
// count is not known beforehand. One thread, or for a large file two: the second counts the
// records of the first half with a cheap line scan while the first parses it, then parses the
// second half straight behind them. Progress: on one thread the counting positions are sent as
// the pass goes and the parsing positions are kept for Replay, so the sequence is the one of a
// count and a parse; on two threads one position runs from 0 to 95 over the bytes both parsed.

#include "data/ByteSum.h"
#include "data/FieldRule.h"
#include "data/InputFile.h"
#include "data/PassOutcome.h"
#include "data/ProgressGate.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kurvon {

struct PassJob {
    const InputFile* file = nullptr;
    std::uint64_t fileSize = 0; // read as it was at the start
    std::size_t chunkBytes = 0;
    float* const* columns = nullptr; // room for `capacity` records each
    std::uint32_t channels = 0;
    std::uint64_t capacity = 0;
    bool commit = false; // the columns are reserved address space to commit block by block
    std::vector<std::string>* names = nullptr;
    FieldMode mode = FieldMode::Usual;
    std::uint64_t parallelMinBytes = 0; // smaller files are read on one thread
    const std::atomic<bool>* cancel = nullptr;
};

struct PassResult {
    std::uint64_t records = 0;
    std::uint64_t textEnd = 0;  // first Ctrl-Z, or the bytes read
    std::size_t chunkBytes = 0; // per reader, grown to the longest line
    ByteSum sum;                // of the bytes of the text
    bool overflow = false;      // more records than the capacity: the pass stopped
    std::vector<int> parsing;   // parsing positions kept for Replay
};

// Changed: the file ended before its size at the start, or the two threads read different
// bytes.
PassOutcome RunLoadPass(const PassJob& job, ProgressGate& progress, PassResult& result);

// Sends the kept parsing positions; false when cancelled on the way.
bool ReplayParsing(const PassResult& result, ProgressGate& progress,
                   const std::atomic<bool>* cancel);

} // namespace kurvon
