#include "data/LineChunks.h"

#include "data/TextLines.h"
#include "platform/SystemAccess.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kurvon {

namespace {

// One byte more for the NUL after a window.
std::unique_ptr<char[]> Allocate(std::size_t capacity) {
    return std::make_unique_for_overwrite<char[]>(capacity + 1);
}

} // namespace

LineChunks::LineChunks(const InputFile& file, std::uint64_t from, std::uint64_t to,
                       std::size_t chunkBytes, bool stopAtEndOfText)
    : m_file(file), m_next(from), m_to(std::max(from, to)), m_stopAtEndOfText(stopAtEndOfText),
      m_capacity(std::max<std::size_t>(chunkBytes, 1)) {
    m_buffer = Allocate(m_capacity);
}

void LineChunks::MakeRoom() {
    // A kept line that fills more than half the buffer: double it, so that every read still
    // brings at least half a buffer and a long line is scanned a bounded number of times.
    if (m_kept > m_capacity / 2) {
        const std::size_t capacity = m_capacity * 2;
        if (capacity > kMaxLineBytes)
            throw LineTooLong();
        // Two readers' buffers and the table must fit: a longer line fails the load.
        if (capacity > PhysicalMemoryBytes() / 4)
            throw std::bad_alloc();
        auto buffer = Allocate(capacity);
        std::memcpy(buffer.get(), m_buffer.get() + m_filled - m_kept, m_kept);
        m_buffer = std::move(buffer);
        m_capacity = capacity;
    } else if (m_kept != 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_filled - m_kept, m_kept);
    }
    m_filled = m_kept;
}

LineChunks::Step LineChunks::Next(LineWindow& window) {
    if (m_done)
        return Step::Done;
    MakeRoom();
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(m_capacity - m_filled, m_to - m_next));
    std::int64_t got = 0;
    if (want != 0 && (got = m_file.ReadAt(m_next, m_buffer.get() + m_filled, want)) < 0)
        return Step::ReadError;
    if (want != 0 && got == 0)
        return Step::Shrunk;
    char* const fresh = m_buffer.get() + m_filled;
    std::size_t n = static_cast<std::size_t>(got);
    if (m_stopAtEndOfText) {
        const char* stop = FindTextEnd(fresh, fresh + n);
        if (stop != fresh + n) {
            n = static_cast<std::size_t>(stop - fresh);
            m_to = m_next + n;
        }
    }
    m_sum.Add(m_next, fresh, n);
    m_next += n;
    m_filled += n;
    window.last = m_next == m_to;
    m_done = window.last; // the caller takes the final line too
    if (m_filled == 0)
        return Step::Done; // only at the range end: a read brings a byte or ends the range
    m_buffer[m_filled] = '\0';
    window.begin = m_buffer.get();
    window.end = m_buffer.get() + m_filled;
    m_kept = 0;
    return Step::Window;
}

void LineChunks::Keep(const char* from) {
    m_kept = static_cast<std::size_t>(m_buffer.get() + m_filled - from);
}

} // namespace kurvon
