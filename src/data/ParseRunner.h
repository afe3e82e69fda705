#pragma once
// Runs the parsing pass over the whole text, on the calling thread alone or, for a large text
// with a split point, with a second thread taking the part after the split. The calling thread
// sends every progress position, rising only, ending at the pass's last position.

#include "data/ParseCursor.h"
#include "data/ProgressGate.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kurvon {

struct ParseJob {
    const char* text = nullptr;
    std::size_t textEnd = 0;
    std::uint64_t fileSize = 0;
    float* const* columns = nullptr;
    std::uint32_t channels = 0;
    std::uint64_t records = 0;
    std::vector<std::string>* names = nullptr;
    std::optional<ParseCursor> split; // where a second thread may start
    const std::atomic<bool>* cancel = nullptr;
};

// Texts below this size are parsed on one thread, with exactly one position per changed value.
constexpr std::size_t kParallelParseMinBytes = std::size_t(32) << 20;

// False when cancelled.
bool RunParsingPass(const ParseJob& job, ProgressGate& progress);

} // namespace kurvon
