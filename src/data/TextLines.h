#pragma once
// The line rule of data files over raw bytes: LF ends a line, a CR just before it belongs to the
// line end (CR LF), any other CR stays in the line. Ctrl-Z (0x1A) ends the text. Each line
// accounts for the bytes it really took: content plus 2 for CR LF, 1 for LF, 0 at the text end.

#include <cstddef>
#include <cstring>

namespace kurvon {

constexpr char kEndOfText = 0x1A;

struct TextLine {
    const char* begin = nullptr;
    const char* end = nullptr; // line end excluded
    std::size_t bytes = 0;     // content plus line end
};

// Where the text ends: the first Ctrl-Z, or the end of the bytes.
inline const char* FindTextEnd(const char* begin, const char* end) {
    const void* hit = std::memchr(begin, kEndOfText, static_cast<std::size_t>(end - begin));
    return hit ? static_cast<const char*>(hit) : end;
}

// Takes the line starting at p whose LF lies before limit; false when there is none.
inline bool NextTerminatedLine(const char*& p, const char* limit, TextLine& line) {
    const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(limit - p));
    if (!hit)
        return false;
    const char* lf = static_cast<const char*>(hit);
    line.begin = p;
    line.end = (lf > p && lf[-1] == '\r') ? lf - 1 : lf;
    line.bytes = static_cast<std::size_t>(lf + 1 - p);
    p = lf + 1;
    return true;
}

} // namespace kurvon
