#include "controls/ImageStrip.h"

#include <QFile>

#include <cstdint>

namespace kurvon {

namespace {

constexpr int kFileHeaderSize = 14;

std::uint32_t ReadU32(const QByteArray& b, int at) {
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData()) + at;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

} // namespace

std::optional<QRgb> FirstStoredBmpPixel(const QByteArray& bmpFile, const QImage& decoded) {
    if (decoded.isNull() || bmpFile.size() < kFileHeaderSize + 4 || !bmpFile.startsWith("BM"))
        return std::nullopt;
    // An information header of 40 bytes or more holds a signed 32-bit height: negative means
    // top-down rows. The old 12-byte core header is always bottom-up.
    bool topDown = false;
    const std::uint32_t infoSize = ReadU32(bmpFile, kFileHeaderSize);
    if (infoSize >= 40 && bmpFile.size() >= kFileHeaderSize + 12)
        topDown = static_cast<std::int32_t>(ReadU32(bmpFile, kFileHeaderSize + 8)) < 0;
    const int y = topDown ? 0 : decoded.height() - 1;
    return decoded.pixel(0, y) | 0xFF000000u;
}

std::optional<QList<QImage>> CutImageStrip(const QImage& strip, QRgb transparent, int imageWidth) {
    if (strip.isNull() || imageWidth <= 0 || strip.width() / imageWidth == 0)
        return std::nullopt;
    const QImage rgb = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent & 0x00FFFFFFu;
    QList<QImage> images;
    const int count = rgb.width() / imageWidth;
    for (int i = 0; i < count; ++i) {
        QImage image = rgb.copy(i * imageWidth, 0, imageWidth, rgb.height());
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if ((line[x] & 0x00FFFFFFu) == key)
                    line[x] = 0;
                else
                    line[x] |= 0xFF000000u;
            }
        }
        images.append(image);
    }
    return images;
}

std::optional<QList<QImage>> LoadImageStrip(const QString& bmpPath, int imageWidth) {
    QFile file(bmpPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    const QImage decoded = QImage::fromData(bytes, "BMP");
    const std::optional<QRgb> transparent = FirstStoredBmpPixel(bytes, decoded);
    if (!transparent)
        return std::nullopt;
    return CutImageStrip(decoded, *transparent, imageWidth);
}

} // namespace kurvon
