#pragma once
// Reads a data file into a private DataSet on whatever thread calls it. The caller hands the
// result over to the view when the status is Loaded.

#include "data/DataSet.h"
#include "data/Extremes.h"
#include "data/FollowPoint.h"
#include "data/ProgressSink.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kurvon {

enum class LoadStatus {
    Loaded,
    CannotOpen,    // missing, a folder, unreadable, or a read error
    TooFewRecords, // fewer than two data lines
    Cancelled,
    OutOfMemory, // the data set would not fit (or an allocation failed)
    FileChanged, // cut short or rewritten while it loaded
    LineTooLong, // a line longer than any data file has (a file of NUL bytes, say)
};

struct LoadOptions {
    std::uint32_t colorSeed = 0;               // usually the calendar time in seconds
    const std::atomic<bool>* cancel = nullptr; // optional; checked regularly
    // The file is read in chunks of this size (a longer line makes its chunk grow).
    std::size_t readChunkBytes = std::size_t(1) << 20;
    // Files from this size on are counted and parsed by two threads; smaller ones send exactly
    // one position per changed value.
    std::uint64_t parallelMinBytes = std::uint64_t(4) << 20;
};

struct LoadResult {
    LoadStatus status = LoadStatus::CannotOpen;
    DataSet data;                     // each channel's true extremes
    std::vector<std::string> listMin; // "%.2f" of the unwidened minimum, per channel
    std::vector<std::string> listMax; // "%.2f" of the unwidened maximum, per channel
    std::uint32_t firstRecord = 0;
    std::uint32_t lastRecord = 0;
    // For following the file: where its text goes on, and each channel's unwidened extremes
    // over the final records (all but a provisional last one).
    FollowPoint follow;
    std::vector<Extremes> settled;
};

// The loader's algorithm up to and including position 99; the caller fills
// the list, sends 100, refreshes the colours and publishes the result, in that order.
LoadResult LoadDataFile(const std::string& path, ProgressSink& sink, const LoadOptions& options);

// Calendar time in seconds, the usual colour seed.
std::uint32_t CurrentColorSeed();

} // namespace kurvon
