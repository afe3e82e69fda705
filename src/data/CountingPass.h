#pragma once
// The counting pass, fed with the text as it is read: counts channels (fields of the names
// line) and records (data lines) and sends the pass's progress for each non-blank line. It also
// marks a line start past the names line near a chosen offset, where a second parser can begin.

#include "data/ParseCursor.h"
#include "data/ProgressGate.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kurvon {

class CountingPass {
public:
    // splitTarget: the offset from which on the first line start after the names line becomes
    // the split cursor.
    CountingPass(const char* text, std::uint64_t fileSize, ProgressGate& progress,
                 std::size_t splitTarget);

    // Counts the lines that end before text + available; with final, the rest up to there too.
    void Feed(std::size_t available, bool final);

    std::uint64_t Channels() const { return m_channels; }
    std::uint64_t Records() const { return m_cursor.record; }
    const std::optional<ParseCursor>& Split() const { return m_split; }

private:
    void CountLine(const char* begin, const char* end, std::size_t bytes);

    const char* m_text;
    std::uint64_t m_fileSize;
    ProgressGate& m_progress;
    std::size_t m_splitTarget;
    std::optional<ParseCursor> m_split;
    ParseCursor m_cursor;       // offset: start of the next line
    std::size_t m_searched = 0; // bytes after the cursor already known to hold no LF
    std::uint64_t m_channels = 0;
};

} // namespace kurvon
