#include "chart/PictureFile.h"

#include "platform/LittleEndianWriter.h"
#include "platform/WriteWhole.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include <limits>

namespace kurvon {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitsPerPixel = 24;

} // namespace

std::vector<std::uint8_t> EncodeBmp24(const QImage& image) {
    std::vector<std::uint8_t> bytes;
    if (image.isNull())
        return bytes;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const std::uint64_t width = static_cast<std::uint64_t>(rgb.width());
    const std::uint64_t height = static_cast<std::uint64_t>(rgb.height());
    const std::uint64_t rowSize = (width * kBitsPerPixel + 31) / 32 * 4;
    const std::uint64_t pixelDataSize = rowSize * height;
    const std::uint64_t fileSize = kFileHeaderSize + kInfoHeaderSize + pixelDataSize;
    if (fileSize > std::numeric_limits<std::uint32_t>::max())
        return bytes;
    bytes.reserve(static_cast<std::size_t>(fileSize));
    LittleEndianWriter out(bytes);

    // BITMAPFILEHEADER
    out.U8('B'); // signature
    out.U8('M');
    out.U32(static_cast<std::uint32_t>(fileSize)); // file size
    out.U16(0);                                    // reserved
    out.U16(0);                                    // reserved
    out.U32(kFileHeaderSize + kInfoHeaderSize);    // offset of the pixel data
    // BITMAPINFOHEADER
    out.U32(kInfoHeaderSize); // information header size
    out.I32(rgb.width());     // width in pixels
    out.I32(rgb.height());    // height: positive, bottom-up
    out.U16(1);               // planes
    out.U16(kBitsPerPixel);   // bits per pixel
    out.U32(0);               // compression: none
    out.U32(0);               // image size
    out.I32(0);               // horizontal resolution
    out.I32(0);               // vertical resolution
    out.U32(0);               // colours used
    out.U32(0);               // important colours

    const std::size_t padding = static_cast<std::size_t>(rowSize - width * 3);
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            out.U8(static_cast<std::uint8_t>(qBlue(row[x])));
            out.U8(static_cast<std::uint8_t>(qGreen(row[x])));
            out.U8(static_cast<std::uint8_t>(qRed(row[x])));
        }
        bytes.insert(bytes.end(), padding, 0);
    }
    return bytes;
}

QByteArray EncodePng24(const QImage& image) {
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    // RGB32 has no alpha channel, so the PNG holds the same 24-bit pixels as the BMP.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(rgb))
        return QByteArray();
    return bytes;
}

PictureWriteResult WritePictureFile(const QImage& image, const QString& path,
                                    PictureFormat format) {
    if (path.isEmpty())
        return {false, QStringLiteral("no file name given")};
    // QSaveFile would rename its temporary over a device or a pipe (and a folder fails later
    // with a less clear reason): refuse anything that is not a regular file up front.
    const QFileInfo target(path);
    if (target.isDir())
        return {false, QStringLiteral("it is a folder")};
    if (target.exists() && !target.isFile())
        return {false, QStringLiteral("it is not a regular file")};

    QByteArray bytes;
    if (format == PictureFormat::Png) {
        bytes = EncodePng24(image);
    } else {
        const std::vector<std::uint8_t> bmp = EncodeBmp24(image);
        bytes = QByteArray(reinterpret_cast<const char*>(bmp.data()),
                           static_cast<qsizetype>(bmp.size()));
    }
    if (bytes.isEmpty())
        return {false, QStringLiteral("the picture cannot be encoded")};

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (!WriteWhole(file, bytes.constData(), bytes.size())) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, QString()};
}

} // namespace kurvon
