#include "chart/PictureFile.h"

#include "platform/LittleEndianWriter.h"

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

bool WriteBitmapFile(const QImage& image, const QString& path) {
    const std::vector<std::uint8_t> bytes = EncodeBmp24(image);
    if (bytes.empty() || path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const qint64 size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString WithBmpSuffix(const QString& path) {
    // Exactly and case-sensitively: "a.BMP" becomes "a.BMP.bmp".
    if (path.endsWith(QLatin1String(".bmp"), Qt::CaseSensitive))
        return path;
    return path + QLatin1String(".bmp");
}

} // namespace kurvon
