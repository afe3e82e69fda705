#pragma once
// Reads the names line and the first data line (the 2nd and 3rd non-blank lines) from the start
// of the file, wherever they lie: the counting threads may each have seen only one of them.

#include "data/InputFile.h"
#include "data/PassOutcome.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kurvon {

struct LeadingLines {
    std::string names;     // empty when the text has no names line
    std::string firstData; // empty when it has no data line
};

// Changed: the file ended before the text did.

PassOutcome ReadLeadingLines(const InputFile& file, std::uint64_t textEnd, std::size_t chunkBytes,
                             const std::atomic<bool>* cancel, LeadingLines& lines);

} // namespace kurvon
