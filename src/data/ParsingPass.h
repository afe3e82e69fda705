#pragma once
// The parsing pass over a stretch of the text: names from the names line, values from the data
// lines into the columns. Stretches that do not overlap in records may run on separate threads.

#include "data/DataSet.h"
#include "data/ParseCursor.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace kurvon {

class ParsingPass {
public:
    // columns: channel count pointers to record count floats each; names receives the names.
    ParsingPass(const char* text, float* const* columns, std::uint32_t channels,
                std::uint64_t records, std::vector<std::string>* names);

    // Parses the lines from cursor up to the offset end. After every non-blank line calls
    // onLine(position) with the running byte position; a false result stops the pass early.
    // Returns false when stopped.
    template <typename OnLine> bool Run(ParseCursor cursor, std::size_t end, OnLine&& onLine);

private:
    void ParseLine(const ParseCursor& cursor, const char* begin, const char* end);
    void ParseDataLine(std::uint64_t record, const char* begin, const char* end);

    const char* m_text;
    float* const* m_columns;
    std::uint32_t m_channels;
    std::uint64_t m_records;
    std::vector<std::string>* m_names;
};

template <typename OnLine>
bool ParsingPass::Run(ParseCursor cursor, std::size_t end, OnLine&& onLine) {
    const char* p = m_text + cursor.offset;
    const char* const limit = m_text + end;
    while (p < limit) {
        const char* begin = p;
        const char* lineEnd;
        const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(limit - p));
        if (hit) {
            const char* lf = static_cast<const char*>(hit);
            lineEnd = (lf > begin && lf[-1] == '\r') ? lf - 1 : lf;
            p = lf + 1;
        } else {
            lineEnd = limit;
            p = limit;
        }
        cursor.position += static_cast<std::uint64_t>(p - begin);
        while (begin < lineEnd && (*begin == ' ' || *begin == '\t'))
            ++begin;
        if (begin == lineEnd)
            continue;
        ++cursor.nonBlank;
        ParseLine(cursor, begin, lineEnd);
        if (cursor.nonBlank > 2)
            ++cursor.record;
        if (!onLine(cursor.position))
            return false;
    }
    return true;
}

} // namespace kurvon
