#pragma once
// The pixels a set of lines covers, as bits instead of colours: a line drawn here covers what
// the same line with the same pen covers on a RasterSurface of this size (both draw from
// LineWalk). Bits lie column by column, so a vertical line (most of a curve drawn by pixel
// column) sets 64 rows per word.
//
// An overlay paints many curves of one colour each, later ones over earlier ones. Drawing the
// latest first, each into a mask painted where no later one has painted, writes each pixel once
// and gives the same picture.

#include "platform/LineWalk.h"
#include "platform/RasterSurface.h"

#include <cstdint>
#include <vector>

namespace kurvon {

class CoverageMask {
public:
    CoverageMask(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Pixels of `taken` count as painted over: see Hidden. Null (the default): none do.
    void HideUnder(const CoverageMask* taken) { m_taken = taken; }
    bool Hides() const { return m_taken != nullptr; }
    // Whether lines whose walk pixels all lie in columns x0..x1 and rows y0..y1 would show
    // nothing: every surface pixel their stamps can reach with the pen is taken.
    bool Hidden(int x0, int x1, int y0, int y1) const;

    void SetPenWidth(int width);
    void MoveTo(int x, int y) {
        m_atX = x;
        m_atY = y;
    }
    void LineTo(int x, int y) {
        const int fromY = m_atY;
        if (static_cast<unsigned>(x - m_atX + 1) <= 2 &&
            static_cast<unsigned>(y - fromY + 1) <= 2 &&
            static_cast<unsigned>(m_atX) < static_cast<unsigned>(m_width) &&
            static_cast<unsigned>(fromY) < static_cast<unsigned>(m_height)) {
            // To a neighbouring pixel (or none): the start's stamp alone, if any.
            if (x != m_atX || y != fromY)
                Run(m_atX, fromY, fromY);
            m_atX = x;
            m_atY = y;
            return;
        }
        if (x == m_atX && y != fromY && static_cast<unsigned>(x) < static_cast<unsigned>(m_width) &&
            static_cast<unsigned>(y) < static_cast<unsigned>(m_height) &&
            static_cast<unsigned>(fromY) < static_cast<unsigned>(m_height)) {
            // Vertical on the surface (most lines of a curve drawn by column): the rows from
            // the start to the one before the end.
            const int toY = y > fromY ? y - 1 : y + 1;
            Run(x, fromY < toY ? fromY : toY, fromY < toY ? toY : fromY);
            m_atY = y;
            return;
        }
        LineToAnyway(x, y);
    }

    // Paints in `color` the surface pixels covered here and not in `taken`, adds them to
    // `taken` and clears this mask. `taken` has this mask's size.
    void PaintUntaken(RasterSurface& surface, ColorRef color, CoverageMask& taken) {
        Take(taken,
             [&](std::size_t word, std::uint64_t bits) { PaintWord(surface, word, bits, color); });
    }
    // The same, handing each word's new bits to f(word, bits) instead of painting them.
    template <class F> void Take(CoverageMask& taken, F f) {
        for (std::size_t i = 0; i < m_bits.size(); ++i) {
            const std::uint64_t mine = m_bits[i];
            if (mine == 0)
                continue;
            m_bits[i] = 0;
            if (const std::uint64_t fresh = mine & ~taken.m_bits[i]) {
                taken.m_bits[i] |= fresh;
                f(i, fresh);
            }
        }
    }
    std::uint64_t Word(std::size_t word) const { return m_bits[word]; }
    // Paints in `color` the surface pixels of these bits of a word.
    void PaintWord(RasterSurface& surface, std::size_t word, std::uint64_t bits,
                   ColorRef color) const;

private:
    void LineToAnyway(int x, int y);
    bool AllSet(int c0, int c1, int r0, int r1) const;
    void Walk(const LineWalk& walk);
    // The pen's stamps of walk pixels (x, y0..y1).
    void Run(int x, int y0, int y1) {
        for (int c = x + m_low; c <= x + m_high; ++c)
            SetRows(c + kMargin, y0 + m_low + kMargin, y1 + m_high + kMargin);
    }
    // Sets rows r0..r1 of column c (indices into the bits, margins included).
    void SetRows(int c, int r0, int r1) {
        std::uint64_t* column = m_bits.data() + static_cast<std::size_t>(c) * m_columnWords;
        const int w0 = r0 >> 6;
        const int w1 = r1 >> 6;
        const std::uint64_t head = ~std::uint64_t{0} << (r0 & 63);
        const std::uint64_t tail = ~std::uint64_t{0} >> (63 - (r1 & 63));
        if (w0 == w1) {
            column[w0] |= head & tail;
            return;
        }
        column[w0] |= head;
        for (int w = w0 + 1; w < w1; ++w)
            column[w] = ~std::uint64_t{0};
        column[w1] |= tail;
    }

    // A 3-pixel stamp of a walk pixel just off the surface reaches two pixels past its edge.
    static constexpr int kMargin = 2;

    int m_width = 0;
    int m_height = 0;
    int m_columnWords = 0; // words per column
    std::vector<std::uint64_t> m_bits;
    const CoverageMask* m_taken = nullptr;
    int m_pen = 1;
    int m_low = 0; // the stamp's reach from its walk pixel, both ways
    int m_high = 0;
    int m_atX = 0;
    int m_atY = 0;
};

} // namespace kurvon
