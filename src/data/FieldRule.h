#pragma once
// How a line of a data file is cut into fields: tabs count as spaces, and every maximal run of
// other bytes is a field (the same as trimming and splitting at runs of spaces). A line of only
// spaces and tabs has no fields and is blank. Tab-separated exports whose names or values hold
// spaces are cut at tabs instead (TabMode.h decides which).

#include <cstddef>
#include <cstring>

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

enum class FieldMode { Usual, Tabs };

// Cut at every tab, each field trimmed of spaces; empty fields at the end of the line are
// dropped, empty ones before a field stay (an empty value). Calls fn like ForEachField.
template <typename Fn> void ForEachTabField(const char* p, const char* end, Fn&& fn) {
    std::size_t empties = 0; // held back until a field follows them
    for (;;) {
        const void* hit =
            p < end ? std::memchr(p, '\t', static_cast<std::size_t>(end - p)) : nullptr;
        const char* tab = hit ? static_cast<const char*>(hit) : end;
        const char* b = p;
        const char* e = tab;
        while (b < e && *b == ' ')
            ++b;
        while (e > b && e[-1] == ' ')
            --e;
        if (b == e) {
            ++empties;
        } else {
            for (; empties != 0; --empties) {
                if (!fn(b, b))
                    return;
            }
            if (!fn(b, e))
                return;
        }
        if (tab == end)
            return;
        p = tab + 1;
    }
}

template <typename Fn> void ForEachField(FieldMode mode, const char* p, const char* end, Fn&& fn) {
    if (mode == FieldMode::Tabs)
        ForEachTabField(p, end, fn);
    else
        ForEachField(p, end, fn);
}

std::size_t CountFields(const char* begin, const char* end, FieldMode mode = FieldMode::Usual);

} // namespace kurvon
