#pragma once
// Streams a byte range of a file through one reusable buffer, a window of whole lines at a time,
// so that a pass holds a bounded part of the file however large the file is. A line longer than
// the buffer makes it grow to hold that line, up to kMaxLineBytes (LineTooLong) or a quarter of
// the memory (std::bad_alloc).

#include "data/ByteSum.h"
#include "data/InputFile.h"
#include "data/PassOutcome.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>

namespace kurvon {

// The buffer never grows past this: no data file has lines that long, and a file of NUL bytes
// or one without line ends is refused before its only line takes gigabytes.
constexpr std::size_t kMaxLineBytes = std::size_t(64) << 20;

struct LineTooLong : std::exception {
    const char* what() const noexcept override { return "line too long"; }
};

struct LineWindow {
    const char* begin = nullptr;
    const char* end = nullptr; // a NUL byte stands here, so a scan for a number stops at end
    bool last = false;         // the range ends here: the final line may lack its line end
};

class LineChunks {
public:
    // Shrunk: the file ended before the range did.
    enum class Step { Window, Done, ReadError, Shrunk };

    // Reads [from, to) of file. With stopAtEndOfText the range ends before the first Ctrl-Z.
    LineChunks(const InputFile& file, std::uint64_t from, std::uint64_t to, std::size_t chunkBytes,
               bool stopAtEndOfText);

    // The bytes the caller kept from the last window, followed by newly read ones.
    Step Next(LineWindow& window);
    // The caller is done with the window up to from; the rest starts the next window.
    void Keep(const char* from);

    // Where the range ended, once Next has said Done.
    std::uint64_t End() const { return m_to; }
    // The largest the buffer has been.
    std::size_t Capacity() const { return m_capacity; }
    // The sum of the bytes read so far.
    const ByteSum& Sum() const { return m_sum; }

private:
    void MakeRoom();

    const InputFile& m_file;
    std::uint64_t m_next; // file offset of the next read
    std::uint64_t m_to;
    bool m_stopAtEndOfText;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity;
    std::size_t m_kept = 0; // bytes at the buffer's start carried over from the last window
    std::size_t m_filled = 0;
    bool m_done = false;
    ByteSum m_sum;
};

// Hands each window of chunks to feed, which returns where its unused rest begins (kept for the
// next window) or null to stop; stopped() is asked before every read.
template <typename Stopped, typename Feed>
PassOutcome FeedWindows(LineChunks& chunks, Stopped&& stopped, Feed&& feed) {
    LineWindow window;
    for (;;) {
        if (stopped())
            return PassOutcome::Cancelled;
        switch (chunks.Next(window)) {
        case LineChunks::Step::Done:
            return PassOutcome::Done;
        case LineChunks::Step::ReadError:
            return PassOutcome::ReadError;
        case LineChunks::Step::Shrunk:
            return PassOutcome::Changed;
        case LineChunks::Step::Window:
            break;
        }
        const char* rest = feed(window);
        if (!rest)
            return PassOutcome::Cancelled;
        chunks.Keep(rest);
    }
}

} // namespace kurvon
