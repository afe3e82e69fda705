#pragma once
// The picture file: a captured image as an uncompressed 24-bit BMP or as a PNG of the same
// pixels, written whole or not at all.

#include "platform/ImageFile.h"

#include <QImage>
#include <QString>

namespace kurvon {

enum class PictureFormat { Bmp, Png };

using PictureWriteResult = FileWriteResult;

// Writes the picture at `path` (used as given) in the format; see WriteFileWhole for what a
// failure leaves behind.
PictureWriteResult WritePictureFile(const QImage& image, const QString& path, PictureFormat format);

} // namespace kurvon
