#pragma once
// The parsing pass over a stretch of the text, fed a window of lines at a time: names from the
// names line, values from the data lines into the columns. Stretches that do not overlap in
// records may run on separate threads.

#include "data/DataSet.h"
#include "data/FieldRule.h"
#include "data/LineChunks.h"
#include "data/ParseCursor.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace kurvon {

class ParsingPass {
public:
    // columns: channel count pointers to float arrays; only records below recordEnd are stored,
    // so a stretch never writes into the next one's records. names (if given) receives the
    // names. mode: how every line is cut into fields.
    ParsingPass(float* const* columns, std::uint32_t channels, std::uint64_t recordEnd,
                std::vector<std::string>* names, const ParseCursor& start,
                FieldMode mode = FieldMode::Usual);

    // Parses the whole lines of the window, with window.last the rest too. After every
    // non-blank line calls onLine(position) with the running byte position; a false result stops
    // the pass. Returns the start of the first line not parsed, or nullptr when stopped.
    template <typename OnLine> const char* Feed(const LineWindow& window, OnLine&& onLine);

    // Later records are still counted but no longer stored.
    void StopWritingAt(std::uint64_t record) { m_recordEnd = std::min(m_recordEnd, record); }

    // The counters after the last line parsed (its offset is not kept).
    const ParseCursor& Cursor() const { return m_cursor; }

private:
    void ParseLine(const char* begin, const char* end);
    void ParseDataLine(std::uint64_t record, const char* begin, const char* end);
    void ParseTabDataLine(std::uint64_t record, const char* begin, const char* end);

    float* const* m_columns;
    std::uint32_t m_channels;
    std::uint64_t m_recordEnd; // lowered by StopWritingAt
    std::vector<std::string>* m_names;
    ParseCursor m_cursor;
    FieldMode m_mode;
};

template <typename OnLine>
const char* ParsingPass::Feed(const LineWindow& window, OnLine&& onLine) {
    const char* p = window.begin;
    const char* const limit = window.end;
    while (p < limit) {
        const char* begin = p;
        const char* lineEnd;
        const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(limit - p));
        if (hit) {
            const char* lf = static_cast<const char*>(hit);
            lineEnd = (lf > begin && lf[-1] == '\r') ? lf - 1 : lf;
            p = lf + 1;
        } else if (window.last) {
            lineEnd = limit;
            p = limit;
        } else {
            return p;
        }
        m_cursor.position += static_cast<std::uint64_t>(p - begin);
        if (IsBlankLine(begin, lineEnd))
            continue;
        ++m_cursor.nonBlank;
        // Untrimmed: at tabs, a leading empty field counts.
        ParseLine(begin, lineEnd);
        if (m_cursor.nonBlank > 2)
            ++m_cursor.record;
        if (!onLine(m_cursor.position))
            return nullptr;
    }
    return p;
}

} // namespace kurvon
