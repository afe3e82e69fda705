#pragma once
// How a line of a data file is cut into fields: tabs count as spaces, and every maximal run of
// other bytes is a field (the same as trimming and splitting at runs of spaces). A line of only
// spaces and tabs has no fields and is blank.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kurvon {

inline bool IsFieldSeparator(char c) {
    return c == ' ' || c == '\t';
}

inline bool IsBlankLine(const char* begin, const char* end) {
    for (const char* p = begin; p < end; ++p) {
        if (!IsFieldSeparator(*p))
            return false;
    }
    return true;
}

// Calls fn(fieldBegin, fieldEnd) for each field in order until fn returns false.
template <typename Fn> void ForEachField(const char* p, const char* end, Fn&& fn) {
    for (;;) {
        while (p < end && IsFieldSeparator(*p))
            ++p;
        if (p == end)
            return;
        const char* fieldBegin = p;
        while (p < end && !IsFieldSeparator(*p))
            ++p;
        if (!fn(fieldBegin, p))
            return;
    }
}

std::size_t CountFields(const char* begin, const char* end);
std::vector<std::string> SplitFields(std::string_view line);

} // namespace kurvon
