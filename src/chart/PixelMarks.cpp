#include "chart/PixelMarks.h"

namespace kurvon {
namespace {

// 4096 x 4096 pixels: 2 MB. Larger pictures are drawn without marks.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 24;

} // namespace

bool PixelMarks::Fits(int width, int height) {
    return width > 0 && height > 0 && std::int64_t{width} * height <= kMaxPixels;
}

PixelMarks::PixelMarks(int width, int height) {
    if (!Fits(width, height))
        return;
    m_width = width;
    m_height = height;
    m_words = (width + 63) / 64;
    m_bits.assign(static_cast<std::size_t>(m_words) * height, 0);
}

bool PixelMarks::AllSet(int x0, int x1, int y0, int y1) const {
    if (x0 < 0 || y0 < 0 || x1 >= m_width || y1 >= m_height || x0 > x1 || y0 > y1)
        return false;
    const int w0 = x0 >> 6;
    const int w1 = x1 >> 6;
    const std::uint64_t first = ~std::uint64_t{0} << (x0 & 63);
    const std::uint64_t last = ~std::uint64_t{0} >> (63 - (x1 & 63));
    for (int y = y0; y <= y1; ++y) {
        const std::uint64_t* row = m_bits.data() + static_cast<std::size_t>(y) * m_words;
        if (w0 == w1) {
            if ((row[w0] & first & last) != (first & last))
                return false;
            continue;
        }
        if ((row[w0] & first) != first || (row[w1] & last) != last)
            return false;
        for (int w = w0 + 1; w < w1; ++w)
            if (row[w] != ~std::uint64_t{0})
                return false;
    }
    return true;
}

} // namespace kurvon
