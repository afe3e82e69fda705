#pragma once
// Runs the parsing pass over the whole text, reading the file again in chunks: on the calling
// thread alone or, for a large text with a split point, with a second thread taking the part
// after the split. The calling thread sends every progress position, rising only, ending at the
// pass's last position.

#include "data/ByteSum.h"
#include "data/FieldRule.h"
#include "data/InputFile.h"
#include "data/ParseCursor.h"
#include "data/PassOutcome.h"
#include "data/ProgressGate.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kurvon {

struct ParseJob {
    const InputFile* file = nullptr;
    std::uint64_t textEnd = 0; // where the counting pass found the text to end
    std::uint64_t fileSize = 0;
    std::size_t chunkBytes = 0;
    float* const* columns = nullptr;
    std::uint32_t channels = 0;
    std::uint64_t records = 0;
    std::vector<std::string>* names = nullptr;
    FieldMode mode = FieldMode::Usual;  // the same for every line on both threads
    std::optional<ParseCursor> split;   // where a second thread may start
    std::uint64_t parallelMinBytes = 0; // smaller texts are parsed on one thread
    const std::atomic<bool>* cancel = nullptr;
};

// Changed: the file ended before the text did.

// sum receives the sum of the bytes read, for comparison with the counting pass's.
PassOutcome RunParsingPass(const ParseJob& job, ProgressGate& progress, ByteSum& sum);

} // namespace kurvon
