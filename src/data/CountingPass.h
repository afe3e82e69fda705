#pragma once
// The counting pass, fed with the text a window at a time as it is read: counts channels (fields
// of the names line) and records (data lines) and sends the pass's progress for each non-blank
// line. It also marks a line start past the names line near a chosen offset, where a second
// parser can begin.

#include "data/LineChunks.h"
#include "data/ParseCursor.h"
#include "data/ProgressGate.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kurvon {

class CountingPass {
public:
    // splitTarget: the offset from which on the first line start after the names line becomes
    // the split cursor. progress may be null; start is where the lines fed begin.
    CountingPass(std::uint64_t fileSize, ProgressGate* progress, std::uint64_t splitTarget,
                 const ParseCursor& start = {});

    // Counts the whole lines of the window, and with window.last the rest too. Returns the start
    // of the first line not counted.
    const char* Feed(const LineWindow& window);

    // Bytes that another thread has counted, added to the positions sent.
    void SetOtherBytes(std::uint64_t bytes) { m_otherBytes = bytes; }

    std::uint64_t Channels() const { return m_channels; }
    const ParseCursor& Cursor() const { return m_cursor; }
    std::uint64_t Records() const { return m_cursor.record; }
    const std::optional<ParseCursor>& Split() const { return m_split; }

private:
    void CountLine(const char* begin, const char* end, std::size_t bytes);

    std::uint64_t m_fileSize;
    ProgressGate* m_progress;
    std::uint64_t m_otherBytes = 0;
    std::uint64_t m_splitTarget;
    std::optional<ParseCursor> m_split;
    ParseCursor m_cursor; // offset: start of the next line
    std::uint64_t m_channels = 0;
};

} // namespace kurvon
