#pragma once
// The chart's off-screen drawing surface: a 32-bit pixel buffer with a background colour, one
// solid pen, rectangle fills and opaque text. Lines are rasterised here, not by Qt, so that the
// set of pixels a curve covers is fixed by the rules below and can be reproduced exactly.
//
// Which pixels each operation covers:
// - A line from A to B with a 1-pixel pen covers the integer Bresenham walk from A towards B,
//   A included, B excluded; a zero-length line covers nothing. With dx = |Bx - Ax|,
//   dy = |By - Ay|, the major axis is x when dx >= dy, else y. Let D be the major and d the minor
//   distance; the i-th pixel (i = 0 .. D - 1) lies i steps from A along the major axis and
//   floor((2 * i * d + D) / (2 * D)) steps along the minor axis (nearest, halves away from A).
// - A pen of width 2 covers, for every pixel P of that walk, P and its right, lower and
//   lower-right neighbours; width 3 covers the 3 x 3 square centred on P. Widths outside 1..3
//   are taken as the nearest of them.
// - A filled rectangle covers left <= x < right, top <= y < bottom, the corners put in order
//   first.
// - Everything is clipped to the surface. Clipping never changes which pixels inside the
//   surface a line covers: it only skips the off-surface part of the walk without visiting it.
//   Coordinates are taken as given within +-kCoordinateLimit; beyond that they are clamped
//   (callers keep far smaller positions, see the chart renderer).
// - Text is drawn by Qt in one fixed font (SurfaceText.h), left-top aligned at the given point,
//   opaque: the text cell (advance width x font height) is first filled with the background
//   colour, then the glyphs are drawn in the text colour without antialiasing.

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace kurvon {

// 0x00BBGGRR, red in the low byte (the same layout as data/DataSet.h's ColorRef).
using ColorRef = std::uint32_t;

class RasterSurface {
public:
    static constexpr int kCoordinateLimit = 1 << 29;
    static constexpr int kMaxSide = 1 << 15;

    RasterSurface() = default;
    RasterSurface(int width, int height) { Resize(width, height); }

    // Sides are clamped to 0..kMaxSide. The content is filled with the background colour.
    void Resize(int width, int height);
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    void SetBackgroundColor(ColorRef color) { m_background = color; }
    void FillBackground(); // the whole surface

    void SetPen(int width, ColorRef color);
    void SetDefaultPen() { SetPen(1, 0x000000); } // 1-pixel black

    void MoveTo(int x, int y);
    void LineTo(int x, int y); // draws from the current position, which then moves to (x, y)
    // What one pixel (x, y) of a line's walk covers with the current pen; so a line whose ends
    // lie in neighbouring pixels covers exactly its start's stamp. The current position stays.
    void StampWalkPixel(int x, int y);

    void FillRect(int left, int top, int right, int bottom, ColorRef color);
    // Paints pixel (x, top + i) for every set bit i of `bits`, those on the surface.
    void FillColumnBits(int x, int top, std::uint64_t bits, ColorRef color);

    void SetTextColor(ColorRef color) { m_textColor = color; }
    void TextOut(int x, int y, const QString& text);

    ColorRef PixelAt(int x, int y) const; // requires 0 <= x < Width(), 0 <= y < Height()

    // A deep copy of the surface as Format_RGB32.
    QImage Image() const;
    // A QImage over the surface's own pixels (no copy); valid until the next Resize.
    QImage View();

private:
    static constexpr int kBorder = 2; // lets a 3-pixel stamp at the clip limits run unchecked

    std::uint32_t* Origin() { return m_pixels.data() + kBorder * m_stride + kBorder; }
    const std::uint32_t* Origin() const { return m_pixels.data() + kBorder * m_stride + kBorder; }
    void DrawLine(int x0, int y0, int x1, int y1);

    std::vector<std::uint32_t> m_pixels; // rows of m_stride pixels, a border of kBorder around
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    ColorRef m_background = 0xFFFFFF;
    ColorRef m_textColor = 0x000000;
    ColorRef m_penColor = 0x000000;
    int m_penWidth = 1;
    int m_currentX = 0;
    int m_currentY = 0;
};

// ColorRef <-> the surface's stored pixel (0xFFRRGGBB).
constexpr std::uint32_t PixelFromColorRef(ColorRef c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr ColorRef ColorRefFromPixel(std::uint32_t p) {
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

inline void RasterSurface::StampWalkPixel(int x, int y) {
    // The same reach as a line's clipping: a wider pen's stamp from just outside still shows.
    const int low = m_penWidth >= 2 ? -1 : 0;
    const int extra = m_penWidth == 3 ? 1 : 0;
    if (x < low || y < low || x >= m_width + extra || y >= m_height + extra || m_width == 0 ||
        m_height == 0)
        return;
    const std::uint32_t pixel = PixelFromColorRef(m_penColor);
    const std::ptrdiff_t s = m_stride;
    std::uint32_t* p = Origin() + static_cast<std::ptrdiff_t>(y) * s + x;
    if (m_penWidth == 1) {
        *p = pixel;
    } else if (m_penWidth == 2) {
        p[0] = p[1] = p[s] = p[s + 1] = pixel;
    } else {
        for (std::uint32_t* row = p - s; row <= p + s; row += s)
            row[-1] = row[0] = row[1] = pixel;
    }
}

} // namespace kurvon
