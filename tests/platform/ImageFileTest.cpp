#include "platform/ImageFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kurvon {
namespace {

QImage Pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 40, y * 60, (x + y) * 20));
    return image;
}

QByteArray AsBytes(const EncodedImage& encoded) {
    return QByteArray(reinterpret_cast<const char*>(encoded.bytes.data()),
                      static_cast<qsizetype>(encoded.bytes.size()));
}

// What each encoder writes reads back through Qt's own decoders with the same pixels.
TEST(ImageFile, EncodedFilesReadBack) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage image = Pattern(5, 3);
    const QString path = dir.filePath(QStringLiteral("a.bmp"));
    ASSERT_TRUE(WriteFileWhole(path, EncodeBmp24(image, {true, 3780}).bytes).written);
    const BmpFile read = ReadBmpFile(path);
    ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
    EXPECT_EQ(read.image.convertToFormat(QImage::Format_RGB32), image);
    EXPECT_EQ(read.firstStoredPixel, image.pixel(0, 2)); // bottom-left
    EXPECT_EQ(read.image.dotsPerMeterX(), 3780);

    const QList<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)};
    const QImage indexed = Pattern(7, 2).convertToFormat(QImage::Format_Indexed8, palette);
    const QImage fromBmp4 = QImage::fromData(AsBytes(EncodeBmp4(indexed, {})), "BMP");
    EXPECT_EQ(fromBmp4.convertToFormat(QImage::Format_RGB32),
              indexed.convertToFormat(QImage::Format_RGB32));

    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgba(10, 20, 30, 255));
    icon.setPixel(3, 4, qRgba(0, 0, 0, 0));
    const EncodedImage ico = EncodeIco({icon}, {});
    const QImage fromIco = QImage::fromData(AsBytes(ico), "ICO");
    ASSERT_EQ(fromIco.size(), QSize(16, 16));
    EXPECT_EQ(fromIco.pixel(5, 5), qRgb(10, 20, 30));
    // The mask after the directory, the header and the colour rows; row 4 is the 12th stored.
    const std::size_t maskRow = 6 + 16 + 40 + 16 * 16 * 3 + 11 * 4;
    ASSERT_GT(ico.bytes.size(), maskRow);
    EXPECT_EQ(ico.bytes[maskRow], 0x10); // only x = 3 is transparent
}

TEST(ImageFile, FailuresSayWhy) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString text = dir.filePath(QStringLiteral("text.bmp"));
    ASSERT_TRUE(WriteFileWhole(text, {'h', 'i'}).written);

    EXPECT_EQ(WriteFileWhole(folder, {1}).reason, QStringLiteral("it is a folder"));
    EXPECT_FALSE(WriteFileWhole(dir.filePath(QStringLiteral("none/a.bmp")), {1}).reason.isEmpty());
    EXPECT_FALSE(ReadBmpFile(dir.filePath(QStringLiteral("none.bmp"))).error.isEmpty());
    EXPECT_EQ(ReadBmpFile(text).error, QStringLiteral("not a BMP file"));
    EXPECT_FALSE(EncodeBmp4(Pattern(2, 2), {}).Ok()); // not indexed
    EXPECT_FALSE(EncodeIco({Pattern(300, 2)}, {}).Ok());
}

} // namespace
} // namespace kurvon
