#pragma once
// What one look at a followed file found: new records, read privately by the follower and
// handed to the owner of the data set, or a change that rules out going on.

#include <cstdint>
#include <vector>

namespace kurvon {

enum class GrowthKind {
    Nothing,     // no new complete line
    Records,     // new records below
    Shrunk,      // shorter than the bytes read
    Replaced,    // another file stands under the path now
    Rewritten,   // bytes already read are different now
    Gone,        // nothing under the path any more
    Unreadable,  // there, but cannot be opened or read
    LineTooLong, // a line longer than any data file has
    OutOfMemory, // what was read could not be held; the follower's point is then unsure
};

struct Growth {
    GrowthKind kind = GrowthKind::Nothing;
    // The provisional last record of the data set is dropped first: its line is among these.
    bool retract = false;
    std::uint32_t records = 0;
    // The last of them stands for a line without line end that the file has not ended yet.
    bool provisional = false;
    std::vector<std::vector<float>> columns; // per channel, `records` values
    std::uint64_t bytes = 0;                 // appended since the last look, read by this one
};

} // namespace kurvon
