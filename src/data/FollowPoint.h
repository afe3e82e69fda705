#pragma once
// Where a followed file's text goes on: the start of the first line that is not yet final, what
// came before it, and the file as it was last read, so that the next look reads only what was
// appended and notices a file that changed in any other way.

#include "data/FieldRule.h"
#include "platform/SystemAccess.h"

#include <cstdint>
#include <string>

namespace kurvon {

// Bytes before the follow offset that each look reads again to notice a rewrite.
constexpr std::size_t kRecentBytes = 256;

struct FollowPoint {
    std::uint64_t offset = 0;  // start of the line not yet final (held back or provisional)
    std::uint64_t records = 0; // final records, all before offset
    // The last record was read from the line at offset, which has no line end yet (a file that
    // does not grow counts it, as a load does); new bytes make it read again.
    bool provisional = false;
    bool ended = false; // a Ctrl-Z ended the text: nothing after it is read
    FieldMode mode = FieldMode::Usual;
    std::uint32_t channels = 0;
    FileStamp stamp;    // the file when it was last read
    std::string recent; // up to kRecentBytes just before offset
    std::string held;   // the bytes from offset that were read (the line without line end)
};

} // namespace kurvon
