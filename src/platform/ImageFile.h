#pragma once
// Image files, field by field: uncompressed 24-bit and 16-colour BMPs, icons of 24-bit images,
// the first stored pixel of a BMP, and writing a file whole or not at all. Every failure comes
// back with its reason.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace kurvon {

// An encoded file's bytes, or why there are none.
struct EncodedImage {
    std::vector<std::uint8_t> bytes;
    QString error; // empty when encoded
    bool Ok() const { return error.isEmpty(); }
};

// What the information header records beyond the layout: the picture file leaves the image size
// and the resolution 0, the tool bar resources give both.
struct BmpHeaderStyle {
    bool storeImageSize = false;
    std::int32_t pixelsPerMetre = 0;
};

// 14-byte file header, 40-byte information header, rows bottom-up, blue-green-red, each padded
// to a multiple of 4 bytes. Fails for a null image or a file that would pass 4 GiB.
EncodedImage EncodeBmp24(const QImage& image, BmpHeaderStyle style = {});

// The same layout at 4 bits per pixel with a 16-entry palette, from an indexed image.
EncodedImage EncodeBmp4(const QImage& indexed, BmpHeaderStyle style);

// An icon file of 24-bit images, each with its 1-bit mask (alpha taken as on or off).
EncodedImage EncodeIco(const std::vector<QImage>& images, BmpHeaderStyle style);

// An 8-bit RGB PNG without alpha.
EncodedImage EncodePng24(const QImage& image);

// The colour of the first pixel stored in a BMP file's bit buffer: the bottom-left pixel of a
// bottom-up file, the top-left one of a top-down file. Nothing if the bytes are no BMP.
std::optional<QRgb> FirstStoredBmpPixel(const QByteArray& bmpFile, const QImage& decoded);

// A BMP file (a path or a Qt resource) with its first stored pixel, or why it cannot be read.
struct BmpFile {
    QImage image;
    QRgb firstStoredPixel = 0;
    QString error; // empty when read
};
BmpFile ReadBmpFile(const QString& path);

struct FileWriteResult {
    bool written = false;
    QString reason; // why not; empty when written
};

// Writes `bytes` at `path` under a temporary name in the same folder and renames it over `path`
// only once complete: a failure leaves no partial file and any existing file untouched. An
// existing target that is not a regular file (folder, device, pipe) is never replaced.
FileWriteResult WriteFileWhole(const QString& path, const std::vector<std::uint8_t>& bytes);

} // namespace kurvon
