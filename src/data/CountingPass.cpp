#include "data/CountingPass.h"

#include "data/FieldRule.h"
#include "data/TextLines.h"

namespace kurvon {

CountingPass::CountingPass(std::uint64_t fileSize, ProgressGate* progress,
                           std::uint64_t splitTarget, const ParseCursor& start)
    : m_fileSize(fileSize), m_progress(progress), m_splitTarget(splitTarget), m_cursor(start) {}

const char* CountingPass::Feed(const LineWindow& window) {
    const char* p = window.begin;
    TextLine line;
    while (NextTerminatedLine(p, window.end, line))
        CountLine(line.begin, line.end, line.bytes);
    if (window.last && p < window.end) {
        CountLine(p, window.end, static_cast<std::size_t>(window.end - p));
        p = window.end;
    }
    return p;
}

void CountingPass::CountLine(const char* begin, const char* end, std::size_t bytes) {
    m_cursor.offset += bytes;
    m_cursor.position += bytes;
    if (IsBlankLine(begin, end))
        return;
    if (m_progress)
        m_progress->SendTruncated(CountingPosition(m_cursor.position + m_otherBytes, m_fileSize));
    ++m_cursor.nonBlank;
    if (m_cursor.nonBlank == 2)
        m_channels = CountFields(begin, end);
    else if (m_cursor.nonBlank > 2)
        ++m_cursor.record;
    if (!m_split && m_cursor.nonBlank >= 2 && m_cursor.offset >= m_splitTarget)
        m_split = m_cursor;
}

} // namespace kurvon
