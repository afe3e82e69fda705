#pragma once
// A place in the text from which the parsing pass can start: the offset of a line start and the
// pass's counters as they stand there.

#include <cstdint>

namespace kurvon {

struct ParseCursor {
    std::uint64_t offset = 0;   // start of a line in the file
    std::uint64_t position = 0; // running byte position P before that line
    std::uint64_t nonBlank = 0; // non-blank lines before it
    std::uint64_t record = 0;   // data lines before it
};

} // namespace kurvon
