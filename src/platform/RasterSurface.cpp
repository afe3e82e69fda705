#include "platform/RasterSurface.h"

#include "platform/SurfaceText.h"

#include <algorithm>
#include <bit>

namespace kurvon {

void RasterSurface::Resize(int width, int height) {
    width = std::clamp(width, 0, kMaxSide);
    height = std::clamp(height, 0, kMaxSide);
    m_width = width;
    m_height = height;
    m_stride = width + 2 * kBorder;
    m_pixels.assign(static_cast<std::size_t>(m_stride) * (height + 2 * kBorder),
                    PixelFromColorRef(m_background));
}

void RasterSurface::FillBackground() {
    FillRect(0, 0, m_width, m_height, m_background);
}

void RasterSurface::SetPen(int width, ColorRef color) {
    m_penWidth = std::clamp(width, 1, 3);
    m_penColor = color & 0xFFFFFFu;
}

void RasterSurface::MoveTo(int x, int y) {
    m_currentX = x;
    m_currentY = y;
}

void RasterSurface::LineTo(int x, int y) {
    DrawLine(m_currentX, m_currentY, x, y);
    m_currentX = x;
    m_currentY = y;
}

void RasterSurface::FillColumnBits(int x, int top, std::uint64_t bits, ColorRef color) {
    if (x < 0 || x >= m_width)
        return;
    // Rows top + i outside 0..height-1 are dropped from the bits.
    if (top < 0)
        bits = top <= -64 ? 0 : bits >> -top << -top;
    const long long rowsLeft = static_cast<long long>(m_height) - top;
    if (rowsLeft < 64)
        bits &= rowsLeft <= 0 ? 0 : (std::uint64_t{1} << rowsLeft) - 1;
    const std::uint32_t pixel = PixelFromColorRef(color);
    std::uint32_t* column = Origin() + x;
    for (; bits != 0; bits &= bits - 1)
        column[static_cast<std::ptrdiff_t>(top + std::countr_zero(bits)) * m_stride] = pixel;
}

void RasterSurface::FillRect(int left, int top, int right, int bottom, ColorRef color) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_width);
    bottom = std::min(bottom, m_height);
    if (left >= right || top >= bottom)
        return;
    const std::uint32_t pixel = PixelFromColorRef(color);
    std::uint32_t* row = Origin() + static_cast<std::ptrdiff_t>(top) * m_stride;
    for (int y = top; y < bottom; ++y, row += m_stride)
        std::fill(row + left, row + right, pixel);
}

void RasterSurface::TextOut(int x, int y, const QString& text) {
    if (m_width == 0 || m_height == 0 || text.isEmpty())
        return;
    if (x < -kCoordinateLimit || x > kCoordinateLimit || y < -kCoordinateLimit ||
        y > kCoordinateLimit)
        return; // far off the surface; keeps Qt's rectangle arithmetic in range
    QImage view = View();
    DrawOpaqueText(view, x, y, text, PixelFromColorRef(m_textColor),
                   PixelFromColorRef(m_background));
}

ColorRef RasterSurface::PixelAt(int x, int y) const {
    return ColorRefFromPixel(Origin()[static_cast<std::ptrdiff_t>(y) * m_stride + x]);
}

QImage RasterSurface::Image() const {
    if (m_width == 0 || m_height == 0)
        return QImage();
    const QImage view(reinterpret_cast<const uchar*>(Origin()), m_width, m_height, m_stride * 4,
                      QImage::Format_RGB32);
    return view.copy();
}

QImage RasterSurface::View() {
    if (m_width == 0 || m_height == 0)
        return QImage();
    return QImage(reinterpret_cast<uchar*>(Origin()), m_width, m_height, m_stride * 4,
                  QImage::Format_RGB32);
}

} // namespace kurvon
