#pragma once
// Tool bar image strips: a 24-bit BMP cut into equal-width images left to right, pixels of
// the strip's transparent colour made transparent.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <optional>

namespace kurvon {

// The colour of the first pixel stored in a BMP file's bit buffer: the bottom-left pixel of a
// bottom-up file, the top-left one of a top-down file. Nothing if the bytes are no BMP.
std::optional<QRgb> FirstStoredBmpPixel(const QByteArray& bmpFile, const QImage& decoded);

// Cuts `strip` into width / imageWidth images of the strip's height; `transparent` pixels get
// alpha 0. Nothing if the width is not positive or no whole image fits.
std::optional<QList<QImage>> CutImageStrip(const QImage& strip, QRgb transparent, int imageWidth);

// Reads a BMP file (a path or a Qt resource) and cuts it, the first stored pixel giving the
// transparent colour.
std::optional<QList<QImage>> LoadImageStrip(const QString& bmpPath, int imageWidth);

} // namespace kurvon
