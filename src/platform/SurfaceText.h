#pragma once
// The one font of the chart and the opaque text drawing of RasterSurface. The font is
// "WenQuanYi Micro Hei" at 12 pixels (the set-up installs it; it carries the Chinese channel
// names too), drawn without antialiasing so text pixels are exactly the text colour. Where the
// family is missing Qt substitutes its default sans font. Needs a QGuiApplication.

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

namespace kurvon {

QFont ChartFont();

// The cell an opaque text fills: advance width x font height.
QSize TextCellSize(const QString& text);

// Fills the text cell at (x, y) with `background`, then draws the glyphs left-top aligned at
// (x, y) in `textColor`. Both colours are stored pixels (0xFFRRGGBB). Clipped to the image.
void DrawOpaqueText(QImage& image, int x, int y, const QString& text, QRgb textColor,
                    QRgb background);

} // namespace kurvon
