#include "platform/ImageFile.h"

#include "platform/LittleEndianWriter.h"
#include "platform/WriteWhole.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include <limits>

namespace kurvon {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteEntrySize = 4;

EncodedImage Failed(const char* reason) {
    return {{}, QString::fromUtf8(reason)};
}

std::uint64_t RowStride(std::uint64_t width, int bitCount) {
    return (width * static_cast<std::uint64_t>(bitCount) + 31) / 32 * 4;
}

struct InfoHeader {
    std::int32_t width;
    std::int32_t storedHeight; // doubled inside icons: colour rows, then mask rows
    std::uint16_t bitCount;
    std::uint32_t imageSize;
    std::uint32_t coloursUsed;
};

// BITMAPFILEHEADER
void WriteFileHeader(LittleEndianWriter& w, std::uint32_t fileSize, std::uint32_t pixelOffset) {
    w.U8('B'); // bfType
    w.U8('M');
    w.U32(fileSize);    // bfSize
    w.U16(0);           // bfReserved1
    w.U16(0);           // bfReserved2
    w.U32(pixelOffset); // bfOffBits
}

// BITMAPINFOHEADER
void WriteInfoHeader(LittleEndianWriter& w, const InfoHeader& h, BmpHeaderStyle style) {
    w.U32(kInfoHeaderSize);                        // biSize
    w.I32(h.width);                                // biWidth
    w.I32(h.storedHeight);                         // biHeight: positive, rows stored bottom-up
    w.U16(1);                                      // biPlanes
    w.U16(h.bitCount);                             // biBitCount
    w.U32(0);                                      // biCompression: BI_RGB
    w.U32(style.storeImageSize ? h.imageSize : 0); // biSizeImage
    w.I32(style.pixelsPerMetre);                   // biXPelsPerMeter
    w.I32(style.pixelsPerMetre);                   // biYPelsPerMeter
    w.U32(h.coloursUsed);                          // biClrUsed
    w.U32(0);                                      // biClrImportant
}

// The 24-bit rows of an RGB32 image, bottom-up, blue-green-red, each padded to 4 bytes.
void WriteRows24(LittleEndianWriter& w, const QImage& rgb) {
    const std::size_t padding =
        static_cast<std::size_t>(RowStride(static_cast<std::uint64_t>(rgb.width()), 24)) -
        static_cast<std::size_t>(rgb.width()) * 3;
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            w.U8(static_cast<std::uint8_t>(qBlue(row[x])));
            w.U8(static_cast<std::uint8_t>(qGreen(row[x])));
            w.U8(static_cast<std::uint8_t>(qRed(row[x])));
        }
        for (std::size_t k = 0; k < padding; ++k)
            w.U8(0);
    }
}

// One icon image: the information header, 24-bit colour rows, then the 1-bit AND mask
// (1 = transparent), both bottom-up.
Bytes IconImage(const QImage& image, BmpHeaderStyle style) {
    QImage colour = image.convertToFormat(QImage::Format_RGB32);
    Bytes mask;
    const std::size_t maskStride =
        static_cast<std::size_t>(RowStride(static_cast<std::uint64_t>(image.width()), 1));
    for (int y = image.height() - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) {
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
                colour.setPixel(x, y, qRgb(0, 0, 0));
            }
        }
        mask.insert(mask.end(), row.begin(), row.end());
    }
    const std::uint64_t rowsSize =
        RowStride(static_cast<std::uint64_t>(image.width()), 24) * image.height();
    Bytes out;
    LittleEndianWriter w(out);
    WriteInfoHeader(w,
                    {image.width(), image.height() * 2, 24,
                     static_cast<std::uint32_t>(rowsSize + mask.size()), 0},
                    style);
    WriteRows24(w, colour);
    w.Bytes(mask);
    return out;
}

} // namespace

EncodedImage EncodeBmp24(const QImage& image, BmpHeaderStyle style) {
    if (image.isNull())
        return Failed("the picture cannot be encoded");
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const std::uint64_t pixelDataSize = RowStride(static_cast<std::uint64_t>(rgb.width()), 24) *
                                        static_cast<std::uint64_t>(rgb.height());
    const std::uint64_t fileSize = kFileHeaderSize + kInfoHeaderSize + pixelDataSize;
    if (fileSize > std::numeric_limits<std::uint32_t>::max())
        return Failed("the picture cannot be encoded");
    EncodedImage encoded;
    encoded.bytes.reserve(static_cast<std::size_t>(fileSize));
    LittleEndianWriter w(encoded.bytes);
    WriteFileHeader(w, static_cast<std::uint32_t>(fileSize), kFileHeaderSize + kInfoHeaderSize);
    WriteInfoHeader(
        w, {rgb.width(), rgb.height(), 24, static_cast<std::uint32_t>(pixelDataSize), 0}, style);
    WriteRows24(w, rgb);
    return encoded;
}

EncodedImage EncodeBmp4(const QImage& indexed, BmpHeaderStyle style) {
    if (indexed.format() != QImage::Format_Indexed8)
        return Failed("a 16-colour picture needs an indexed image");
    const QList<QRgb> palette = indexed.colorTable();
    Bytes rows;
    const std::size_t stride =
        static_cast<std::size_t>(RowStride(static_cast<std::uint64_t>(indexed.width()), 4));
    for (int y = indexed.height() - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < indexed.width(); ++x) {
            const auto index = static_cast<std::uint8_t>(indexed.pixelIndex(x, y) & 0x0F);
            row[x / 2] |= (x % 2 == 0) ? static_cast<std::uint8_t>(index << 4) : index;
        }
        rows.insert(rows.end(), row.begin(), row.end());
    }
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 16 * kPaletteEntrySize;
    const auto rowsSize = static_cast<std::uint32_t>(rows.size());
    EncodedImage encoded;
    LittleEndianWriter w(encoded.bytes);
    WriteFileHeader(w, offset + rowsSize, offset);
    WriteInfoHeader(w, {indexed.width(), indexed.height(), 4, rowsSize, 16}, style);
    for (int i = 0; i < 16; ++i) { // RGBQUAD palette
        const QRgb c = i < palette.size() ? palette[i] : 0;
        w.U8(static_cast<std::uint8_t>(qBlue(c)));  // rgbBlue
        w.U8(static_cast<std::uint8_t>(qGreen(c))); // rgbGreen
        w.U8(static_cast<std::uint8_t>(qRed(c)));   // rgbRed
        w.U8(0);                                    // rgbReserved
    }
    w.Bytes(rows);
    return encoded;
}

EncodedImage EncodeIco(const std::vector<QImage>& images, BmpHeaderStyle style) {
    std::vector<Bytes> parts;
    for (const QImage& image : images) {
        if (image.isNull() || image.width() > 255 || image.height() > 255)
            return Failed("an icon image must be 1 to 255 pixels wide and high");
        parts.push_back(IconImage(image, style));
    }
    EncodedImage encoded;
    LittleEndianWriter w(encoded.bytes);
    w.U16(0);                                         // idReserved
    w.U16(1);                                         // idType: icon
    w.U16(static_cast<std::uint16_t>(images.size())); // idCount
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        w.U8(static_cast<std::uint8_t>(images[i].width()));  // bWidth
        w.U8(static_cast<std::uint8_t>(images[i].height())); // bHeight
        w.U8(0);                                             // bColorCount: more than 256
        w.U8(0);                                             // bReserved
        w.U16(1);                                            // wPlanes
        w.U16(24);                                           // wBitCount
        w.U32(static_cast<std::uint32_t>(parts[i].size()));  // dwBytesInRes
        w.U32(offset);                                       // dwImageOffset
        offset += static_cast<std::uint32_t>(parts[i].size());
    }
    for (const Bytes& part : parts)
        w.Bytes(part);
    return encoded;
}

EncodedImage EncodePng24(const QImage& image) {
    if (image.isNull())
        return Failed("the picture cannot be encoded");
    // RGB32 has no alpha channel, so the PNG holds the same 24-bit pixels as the BMP.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(rgb))
        return {{}, writer.errorString()};
    return {Bytes(png.begin(), png.end()), QString()};
}

std::optional<QRgb> FirstStoredBmpPixel(const QByteArray& bmpFile, const QImage& decoded) {
    const auto u32At = [&bmpFile](qsizetype at) {
        const auto* p = reinterpret_cast<const unsigned char*>(bmpFile.constData()) + at;
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
               std::uint32_t(p[3]) << 24;
    };
    constexpr qsizetype kInfoAt = kFileHeaderSize;
    if (decoded.isNull() || bmpFile.size() < kInfoAt + 4 || !bmpFile.startsWith("BM"))
        return std::nullopt;
    // An information header of 40 bytes or more holds a signed 32-bit height: negative means
    // top-down rows. The old 12-byte core header is always bottom-up.
    bool topDown = false;
    const std::uint32_t infoSize = u32At(kInfoAt); // biSize
    if (infoSize >= kInfoHeaderSize && bmpFile.size() >= kInfoAt + 12)
        topDown = static_cast<std::int32_t>(u32At(kInfoAt + 8)) < 0; // biHeight
    const int y = topDown ? 0 : decoded.height() - 1;
    return decoded.pixel(0, y) | 0xFF000000u;
}

BmpFile ReadBmpFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QImage(), 0, file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {QImage(), 0, file.errorString()};
    const QImage decoded = QImage::fromData(bytes, "BMP");
    const std::optional<QRgb> first = FirstStoredBmpPixel(bytes, decoded);
    if (!first)
        return {QImage(), 0, QStringLiteral("not a BMP file")};
    return {decoded, *first, QString()};
}

FileWriteResult WriteFileWhole(const QString& path, const std::vector<std::uint8_t>& bytes) {
    if (path.isEmpty())
        return {false, QStringLiteral("no file name given")};
    // QSaveFile would rename its temporary over a device or a pipe (and a folder fails later
    // with a less clear reason): refuse anything that is not a regular file up front.
    const QFileInfo target(path);
    if (target.isDir())
        return {false, QStringLiteral("it is a folder")};
    if (target.exists() && !target.isFile())
        return {false, QStringLiteral("it is not a regular file")};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (!WriteWhole(file, reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qint64>(bytes.size()))) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, QString()};
}

} // namespace kurvon
