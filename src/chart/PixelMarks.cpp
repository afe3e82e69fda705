#include "chart/PixelMarks.h"

#include "chart/BitRect.h"

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
    return AllBitsSet(m_bits.data(), m_words, y0, y1, x0, x1);
}

} // namespace kurvon
