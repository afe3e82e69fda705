#pragma once
// Tool bar image strips: a 24-bit BMP cut into equal-width images left to right, pixels of
// the strip's transparent colour made transparent.

#include <QImage>
#include <QList>
#include <QString>

#include <optional>

namespace kurvon {

// Cuts `strip` into width / imageWidth images of the strip's height; `transparent` pixels get
// alpha 0. Nothing if the width is not positive or no whole image fits.
std::optional<QList<QImage>> CutImageStrip(const QImage& strip, QRgb transparent, int imageWidth);

// Reads a BMP file (a path or a Qt resource) and cuts it, the first stored pixel giving the
// transparent colour.
std::optional<QList<QImage>> LoadImageStrip(const QString& bmpPath, int imageWidth);

} // namespace kurvon
