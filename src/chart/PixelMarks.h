#pragma once
// The walk pixels one curve has stamped so far with its pen. Stamping such a pixel again
// changes nothing, so a segment (or a stretch of segments) whose walk stays on marked pixels can
// be left out. Pixels outside the surface are never marked; a surface too large for a cheap
// bitmap marks nothing.

#include <bit>
#include <cstdint>
#include <vector>

namespace kurvon {

class PixelMarks {
public:
    PixelMarks(int width, int height);
    // Whether a surface this large gets a bitmap.
    static bool Fits(int width, int height);

    // Whether (x, y) is a pixel the marks hold (inside the bitmap).
    bool Holds(int x, int y) const {
        return static_cast<unsigned>(x) < static_cast<unsigned>(m_width) &&
               static_cast<unsigned>(y) < static_cast<unsigned>(m_height);
    }

    // Marks (x, y); whether it was marked before.
    bool TestAndSet(int x, int y) {
        if (static_cast<unsigned>(x) >= static_cast<unsigned>(m_width) ||
            static_cast<unsigned>(y) >= static_cast<unsigned>(m_height))
            return false;
        std::uint64_t& word = m_bits[static_cast<std::size_t>(y) * m_words + (x >> 6)];
        const std::uint64_t bit = std::uint64_t{1} << (x & 63);
        const bool was = (word & bit) != 0;
        word |= bit;
        return was;
    }
    // Whether every pixel of columns x0..x1 and rows y0..y1 is marked.
    bool AllSet(int x0, int x1, int y0, int y1) const;
    // f(x, y) for every marked pixel.
    template <class F> void ForEach(F f) const {
        for (int y = 0; y < m_height; ++y) {
            const std::uint64_t* row = m_bits.data() + static_cast<std::size_t>(y) * m_words;
            for (int w = 0; w < m_words; ++w)
                for (std::uint64_t bits = row[w]; bits != 0; bits &= bits - 1)
                    f(w * 64 + std::countr_zero(bits), y);
        }
    }

private:
    int m_width = 0;
    int m_height = 0;
    int m_words = 0; // per row
    std::vector<std::uint64_t> m_bits;
};

} // namespace kurvon
