#include "controls/ImageStrip.h"

#include "platform/ImageFile.h"

namespace kurvon {

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
    const BmpFile file = ReadBmpFile(bmpPath);
    if (!file.error.isEmpty())
        return std::nullopt;
    return CutImageStrip(file.image, file.firstStoredPixel, imageWidth);
}

} // namespace kurvon
