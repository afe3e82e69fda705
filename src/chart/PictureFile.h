#pragma once
// The picture file: a captured image as an uncompressed 24-bit BMP (14-byte file header,
// 40-byte information header, rows bottom-up, each padded to a multiple of 4 bytes) or as a PNG
// of the same pixels.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace kurvon {

enum class PictureFormat { Bmp, Png };

// The whole file's bytes; empty for a null image or one whose file would pass 4 GiB.
std::vector<std::uint8_t> EncodeBmp24(const QImage& image);

// An 8-bit RGB PNG without alpha; empty for a null image or when encoding fails.
QByteArray EncodePng24(const QImage& image);

struct PictureWriteResult {
    bool written = false;
    QString reason; // why not, in the system's words; empty when written
};

// Writes the picture at `path` under a temporary name in the same folder and renames it over
// `path` only once complete: a failure leaves no partial file and any existing file untouched.
// An existing target that is not a regular file (folder, device, pipe) is never replaced. The
// path is used as given.
PictureWriteResult WritePictureFile(const QImage& image, const QString& path, PictureFormat format);

} // namespace kurvon
