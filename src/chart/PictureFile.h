#pragma once
// The picture file: a captured image as an uncompressed 24-bit BMP (14-byte file header,
// 40-byte information header, rows bottom-up, each padded to a multiple of 4 bytes).

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace kurvon {

// The whole file's bytes; empty for a null image or one whose file would pass 4 GiB.
std::vector<std::uint8_t> EncodeBmp24(const QImage& image);

// Writes the picture at `path` under a temporary name in the same folder and renames it over
// `path` only once complete: a failure leaves no partial file and any existing file untouched.
// Returns false on any failure. The path is used as given.
bool WriteBitmapFile(const QImage& image, const QString& path);

// The chosen path with ".bmp" appended unless its last four characters are exactly ".bmp".
QString WithBmpSuffix(const QString& path);

} // namespace kurvon
