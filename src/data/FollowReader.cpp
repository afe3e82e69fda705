#include "data/FollowReader.h"

#include "data/LineChunks.h"
#include "data/ParsingPass.h"
#include "data/TextLines.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

namespace kurvon {

namespace {

// A look hands over at most this many values, whatever the lines hold.
constexpr std::uint64_t kMaxValues = std::uint64_t(4) << 20;

// The end of the first `lines` lines of [begin, end), or end when it holds fewer.
const char* AfterLines(const char* begin, const char* end, std::uint64_t lines) {
    const char* p = begin;
    for (std::uint64_t n = 0; n < lines && p < end; ++n) {
        const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        if (!lf)
            return end;
        p = static_cast<const char*>(lf) + 1;
    }
    return p;
}

} // namespace

FollowReader::FollowReader(std::string path, FollowPoint point)
    : m_path(std::move(path)), m_point(std::move(point)) {}

GrowthKind FollowReader::CheckStamp(const FileStamp& now) const {
    if (!now.SameFile(m_point.stamp))
        return GrowthKind::Replaced;
    if (now.size < m_point.stamp.size)
        return GrowthKind::Shrunk;
    if (now.size == m_point.stamp.size && now.modified != m_point.stamp.modified)
        return GrowthKind::Rewritten;
    return GrowthKind::Nothing;
}

Growth FollowReader::Look(bool settle, std::size_t maxBytes) {
    try {
        return LookAt(settle, maxBytes);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    Growth growth;
    growth.kind = GrowthKind::OutOfMemory;
    return growth;
}

Growth FollowReader::LookAt(bool settle, std::size_t maxBytes) {
    Growth growth;
    m_more = false;
    ReadOnlyFile file;
    if (!file.Open(m_path)) {
        growth.kind = StampOfPath(m_path) ? GrowthKind::Unreadable : GrowthKind::Gone;
        return growth;
    }
    const std::optional<FileStamp> now = file.Stamp();
    if (!now) {
        growth.kind = GrowthKind::Unreadable;
        return growth;
    }
    if ((growth.kind = CheckStamp(*now)) != GrowthKind::Nothing)
        return growth;

    // The bytes just before the offset and the held line are read again with the new ones: if
    // any of them changed, what is shown no longer matches the file.
    const std::uint64_t start = m_point.offset - m_point.recent.size();
    const std::uint64_t heldEnd = m_point.offset + m_point.held.size();
    const std::uint64_t readEnd =
        m_point.ended ? heldEnd
                      : std::max(heldEnd, std::min<std::uint64_t>(now->size, heldEnd + maxBytes));
    std::string text(static_cast<std::size_t>(readEnd - start), '\0');
    for (std::size_t got = 0; got < text.size();) {
        const std::int64_t n = file.ReadAt(start + got, text.data() + got, text.size() - got);
        if (n < 0) {
            growth.kind = GrowthKind::Unreadable;
            return growth;
        }
        if (n == 0) {
            growth.kind = GrowthKind::Shrunk;
            return growth;
        }
        got += static_cast<std::size_t>(n);
    }
    const std::size_t base = m_point.recent.size();
    if (text.compare(0, base, m_point.recent) != 0 ||
        text.compare(base, m_point.held.size(), m_point.held) != 0) {
        growth.kind = GrowthKind::Rewritten;
        return growth;
    }
    m_point.stamp = *now;
    const bool grown = readEnd > heldEnd;
    if (m_point.ended || (!grown && !(settle && HoldsBack())))
        return growth;
    m_more = readEnd < now->size;

    // What this look parses: whole lines, up to a Ctrl-Z, or with the held line settled.
    char* const begin = text.data() + base;
    char* end = text.data() + text.size();
    char* const stop =
        const_cast<char*>(FindTextEnd(text.data() + base + m_point.held.size(), end));
    const bool ended = stop != end;
    if (ended) {
        end = stop;
        m_more = false;
    }
    // Bounded by the values one hand-over may carry.
    const std::uint64_t maxLines =
        std::max<std::uint64_t>(1, kMaxValues / std::max(1u, m_point.channels));
    char* const afterLines = const_cast<char*>(AfterLines(begin, end, maxLines));
    if (afterLines != end) {
        end = afterLines;
        m_more = true;
    }
    char* tail = end;
    while (tail > begin && tail[-1] != '\n')
        --tail;
    if (static_cast<std::size_t>(end - tail) > kMaxLineBytes) {
        growth.kind = GrowthKind::LineTooLong;
        return growth;
    }
    const bool last = ended || (settle && !m_more && tail != end);
    const char* const parseEnd = last ? end : tail;
    *end = '\0'; // the NUL a window ends with (a Ctrl-Z stood there, or the string's own)

    std::uint64_t capacity = 1;
    for (const char* p = begin; (p = static_cast<const char*>(
                                     std::memchr(p, '\n', static_cast<std::size_t>(parseEnd - p))));
         ++p)
        ++capacity;
    growth.columns.assign(m_point.channels, std::vector<float>(capacity, 0.0f));
    std::vector<float*> columns;
    for (std::vector<float>& column : growth.columns)
        columns.push_back(column.data());
    ParseCursor cursor;
    cursor.nonBlank = 2; // every line from here on is a data line
    ParsingPass pass(columns.data(), m_point.channels, capacity, nullptr, cursor, m_point.mode);
    std::uint32_t records = 0;
    LineWindow window;
    window.begin = begin;
    window.end = parseEnd;
    window.last = last;
    pass.Feed(window, [&](std::uint64_t) {
        ++records;
        return true;
    });
    // A data set keeps two records at least: the provisional one stays until its line has
    // grown into a second record.
    if (m_point.provisional && m_point.records + records < 2) {
        // Too little for the second record: read further now, or wait for the file to grow.
        // Returning with more to read would hand the same bytes back to the next look.
        if (m_more)
            return Look(settle, maxBytes * 2);
        return Growth{};
    }
    for (std::vector<float>& column : growth.columns)
        column.resize(records);

    // A settled line without line end is a provisional record, unless a Ctrl-Z ended it.
    const bool provisional = last && !ended && tail != end && !IsBlankLine(tail, end);
    growth.kind = records != 0 || m_point.provisional ? GrowthKind::Records : GrowthKind::Nothing;
    growth.retract = m_point.provisional;
    growth.records = records;
    growth.provisional = provisional;
    growth.bytes = readEnd - heldEnd;

    const std::size_t cut = static_cast<std::size_t>((ended ? end : tail) - text.data());
    m_point.offset = start + cut;
    m_point.records += records - (provisional ? 1 : 0);
    m_point.provisional = provisional;
    m_point.ended = ended;
    m_point.held = ended ? std::string() : std::string(tail, end);
    const std::size_t keep = std::min(kRecentBytes, cut);
    m_point.recent = text.substr(cut - keep, keep);
    return growth;
}

} // namespace kurvon
