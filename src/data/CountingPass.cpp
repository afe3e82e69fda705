#include "data/CountingPass.h"

#include "data/FieldRule.h"

#include <cstring>

namespace kurvon {

CountingPass::CountingPass(const char* text, std::uint64_t fileSize, ProgressGate& progress,
                           std::size_t splitTarget)
    : m_text(text), m_fileSize(fileSize), m_progress(progress), m_splitTarget(splitTarget) {}

void CountingPass::Feed(std::size_t available, bool final) {
    const char* const limit = m_text + available;
    for (;;) {
        const char* begin = m_text + m_cursor.offset;
        if (begin >= limit)
            return;
        const char* from = begin + m_searched;
        const void* hit = std::memchr(from, '\n', static_cast<std::size_t>(limit - from));
        if (!hit) {
            if (!final) {
                // A long line: do not search its first part again with the next block.
                m_searched = static_cast<std::size_t>(limit - begin);
                return;
            }
            CountLine(begin, limit, static_cast<std::size_t>(limit - begin));
            return;
        }
        const char* lf = static_cast<const char*>(hit);
        const char* end = (lf > begin && lf[-1] == '\r') ? lf - 1 : lf;
        CountLine(begin, end, static_cast<std::size_t>(lf + 1 - begin));
    }
}

void CountingPass::CountLine(const char* begin, const char* end, std::size_t bytes) {
    m_cursor.offset += bytes;
    m_cursor.position += bytes;
    m_searched = 0;
    if (IsBlankLine(begin, end))
        return;
    m_progress.SendTruncated(CountingPosition(m_cursor.position, m_fileSize));
    ++m_cursor.nonBlank;
    if (m_cursor.nonBlank == 2)
        m_channels = CountFields(begin, end);
    else if (m_cursor.nonBlank > 2)
        ++m_cursor.record;
    if (!m_split && m_cursor.nonBlank >= 2 && m_cursor.offset >= m_splitTarget)
        m_split = m_cursor;
}

} // namespace kurvon
