#pragma once
// A rectangle of a bitmap stored as lines of 64-bit words (rows or columns).

#include <cstddef>
#include <cstdint>

namespace kurvon {

// Whether bits b0..b1 of every line l0..l1 are set; lines lie wordsPerLine words apart.
inline bool AllBitsSet(const std::uint64_t* bits, int wordsPerLine, int l0, int l1, int b0,
                       int b1) {
    const int w0 = b0 >> 6;
    const int w1 = b1 >> 6;
    const std::uint64_t head = ~std::uint64_t{0} << (b0 & 63);
    const std::uint64_t tail = ~std::uint64_t{0} >> (63 - (b1 & 63));
    for (int l = l0; l <= l1; ++l) {
        const std::uint64_t* line = bits + static_cast<std::size_t>(l) * wordsPerLine;
        if (w0 == w1) {
            if ((line[w0] & head & tail) != (head & tail))
                return false;
            continue;
        }
        if ((line[w0] & head) != head || (line[w1] & tail) != tail)
            return false;
        for (int w = w0 + 1; w < w1; ++w)
            if (line[w] != ~std::uint64_t{0})
                return false;
    }
    return true;
}

} // namespace kurvon
