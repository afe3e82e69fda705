#include "chart/PictureFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kurvon {
namespace {

std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
std::uint16_t U16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(PictureFileTest, TwentyFourBitLayoutBottomRowFirstWithPaddedRows) {
    QImage image(101, 3, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    image.setPixel(0, 2, qRgb(10, 20, 30));   // bottom row, first pixel
    image.setPixel(100, 0, qRgb(40, 50, 60)); // top row, last pixel
    const std::vector<std::uint8_t> b = EncodeBmp24(image);

    const std::uint32_t rowSize = 304; // 101 * 3 = 303, padded to a multiple of 4
    ASSERT_EQ(b.size(), 54u + rowSize * 3);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(U32At(b, 2), b.size()); // file size field
    EXPECT_EQ(U16At(b, 6), 0);
    EXPECT_EQ(U16At(b, 8), 0);
    EXPECT_EQ(U32At(b, 10), 54u);
    EXPECT_EQ(U32At(b, 14), 40u);
    EXPECT_EQ(U32At(b, 18), 101u);
    EXPECT_EQ(U32At(b, 22), 3u); // positive: bottom-up
    EXPECT_EQ(U16At(b, 26), 1);
    EXPECT_EQ(U16At(b, 28), 24);
    for (std::size_t at = 30; at < 54; at += 4)
        EXPECT_EQ(U32At(b, at), 0u) << at;
    // Blue, green, red; the bottom row first; zero padding.
    EXPECT_EQ(b[54], 30);
    EXPECT_EQ(b[55], 20);
    EXPECT_EQ(b[56], 10);
    EXPECT_EQ(b[54 + 3], 3);
    EXPECT_EQ(b[54 + 303], 0);
    const std::size_t topRowLast = 54 + 2 * rowSize + 300;
    EXPECT_EQ(b[topRowLast], 60);
    EXPECT_EQ(b[topRowLast + 1], 50);
    EXPECT_EQ(b[topRowLast + 2], 40);

    // Other formats are converted; a null image gives nothing.
    EXPECT_EQ(EncodeBmp24(image.convertToFormat(QImage::Format_ARGB32)), b);
    EXPECT_TRUE(EncodeBmp24(QImage()).empty());
}

TEST(PictureFileTest, WritesCompletelyOrNotAtAll) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString target = dir.filePath(QStringLiteral("chart.bmp"));
    ASSERT_TRUE(WriteBitmapFile(image, target));
    const QByteArray written = ReadAll(target);
    EXPECT_EQ(written.size(), 54 + 60 * 10);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("chart.bmp")});

    // Replacing an existing file: the new picture, no temporary left behind.
    QImage other(7, 7, QImage::Format_RGB32);
    other.fill(Qt::blue);
    ASSERT_TRUE(WriteBitmapFile(other, target));
    EXPECT_EQ(ReadAll(target).size(), 54 + 24 * 7);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    // Targets that cannot be written (even as root): a folder that does not exist, a parent
    // that is a regular file, a target that is a folder. Nothing is written, nothing destroyed.
    EXPECT_FALSE(WriteBitmapFile(image, dir.filePath(QStringLiteral("missing/chart.bmp"))));
    EXPECT_FALSE(WriteBitmapFile(image, target + QStringLiteral("/inside.bmp")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.bmp")));
    EXPECT_FALSE(WriteBitmapFile(image, dir.filePath(QStringLiteral("folder.bmp"))));
    EXPECT_FALSE(WriteBitmapFile(QImage(), target));
    EXPECT_FALSE(WriteBitmapFile(image, QString()));
    EXPECT_EQ(ReadAll(target).size(), 54 + 24 * 7); // the existing picture is intact
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(),
              2);
}

TEST(PictureFileTest, BmpSuffixIsAddedUnlessExactlyPresent) {
    EXPECT_EQ(WithBmpSuffix(QStringLiteral("/tmp/a.bmp")), QStringLiteral("/tmp/a.bmp"));
    EXPECT_EQ(WithBmpSuffix(QStringLiteral("/tmp/a")), QStringLiteral("/tmp/a.bmp"));
    EXPECT_EQ(WithBmpSuffix(QStringLiteral("a.BMP")), QStringLiteral("a.BMP.bmp"));
    EXPECT_EQ(WithBmpSuffix(QStringLiteral("a.bmpx")), QStringLiteral("a.bmpx.bmp"));
    EXPECT_EQ(WithBmpSuffix(QStringLiteral(".bmp")), QStringLiteral(".bmp"));
    EXPECT_EQ(WithBmpSuffix(QStringLiteral("mp")), QStringLiteral("mp.bmp"));
    EXPECT_EQ(WithBmpSuffix(QStringLiteral("图片")), QStringLiteral("图片.bmp"));
}

} // namespace
} // namespace kurvon
