#include "platform/ImageFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace kurvon {
namespace {

QImage Pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 40, y * 60, (x + y) * 20));
    return image;
}

QImage Decoded(const EncodedImage& encoded, const char* format) {
    return QImage::fromData(encoded.bytes.data(), static_cast<int>(encoded.bytes.size()), format);
}

std::uint32_t Field(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t width) {
    std::uint32_t v = 0;
    for (std::size_t i = width; i-- > 0;)
        v = v << 8 | b[at + i];
    return v;
}

TEST(ImageFile, LayoutAndReadBack) {
    const QImage image = Pattern(5, 3); // rows of 15 bytes, padded to 16
    const std::vector<std::uint8_t> b = EncodeBmp24(image).bytes;
    ASSERT_EQ(b.size(), 54u + 16 * 3);
    EXPECT_EQ(Field(b, 0, 2), 'B' + 256u * 'M');
    // Offset, width in bytes, value: the size field, 54-byte headers, 5 x 3 bottom-up (a
    // positive height), one plane of 24 bits, no compression and zeroes to the end.
    const std::size_t fields[][3] = {
        {2, 4, b.size()}, {6, 4, 0},  {10, 4, 54}, {14, 4, 40}, {18, 4, 5}, {22, 4, 3}, {26, 2, 1},
        {28, 2, 24},      {30, 4, 0}, {34, 4, 0},  {38, 4, 0},  {42, 4, 0}, {46, 4, 0}, {50, 4, 0}};
    for (const auto& [at, width, value] : fields)
        EXPECT_EQ(Field(b, at, width), value) << at;
    const std::vector<std::uint8_t> styled = EncodeBmp24(image, {true, 3780}).bytes;
    EXPECT_EQ(Field(styled, 34, 4) + Field(styled, 38, 4) + Field(styled, 42, 4), 48u + 2 * 3780);
    EXPECT_EQ(EncodeBmp24(image.convertToFormat(QImage::Format_ARGB32)).bytes, b);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.bmp"));
    ASSERT_TRUE(WriteFileWhole(path, b).written);
    const BmpFile read = ReadBmpFile(path);
    EXPECT_EQ(read.image.convertToFormat(QImage::Format_RGB32), image) << read.error.toStdString();
    EXPECT_EQ(read.firstStoredPixel, image.pixel(0, 2)); // bottom-left
    EXPECT_EQ(b[54 + 15], 0);                            // row padding

    // The other encoders' files read back through Qt's own decoders with the same pixels.
    const QImage indexed =
        Pattern(7, 2).convertToFormat(QImage::Format_Indexed8, {qRgb(0, 0, 0), qRgb(0, 0, 255)});
    EXPECT_EQ(Decoded(EncodeBmp4(indexed, {}), "BMP").convertToFormat(QImage::Format_RGB32),
              indexed.convertToFormat(QImage::Format_RGB32));
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgba(10, 20, 30, 255));
    icon.setPixel(3, 4, qRgba(0, 0, 0, 0));
    const EncodedImage ico = EncodeIco({icon}, {});
    EXPECT_EQ(Decoded(ico, "ICO").pixel(5, 5), qRgb(10, 20, 30));
    // The mask after the directory, the header and the colour rows; row 4 is the 12th stored.
    const std::size_t maskRow = 6 + 16 + 40 + 16 * 16 * 3 + 11 * 4;
    ASSERT_GT(ico.bytes.size(), maskRow);
    EXPECT_EQ(ico.bytes[maskRow], 0x10); // only x = 3 is transparent
}

// Targets that cannot be written (even as root) each say why; nothing is written, an existing
// file is intact and no temporary is left behind.
TEST(ImageFile, FailuresSayWhy) {
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("text.bmp"));
    ASSERT_TRUE(WriteFileWhole(text, {'h', 'i'}).written);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    EXPECT_EQ(WriteFileWhole(dir.filePath(QStringLiteral("folder")), {1}).reason,
              QStringLiteral("it is a folder"));
    for (const QString& target : {dir.filePath(QStringLiteral("none/a.bmp")), text + "/a", {}})
        EXPECT_FALSE(WriteFileWhole(target, {1}).reason.isEmpty()) << target.toStdString();
#ifdef Q_OS_UNIX
    const QString pipe = dir.filePath(QStringLiteral("pipe.bmp")); // a rename would replace it
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(WriteFileWhole(pipe, {1}).reason, QStringLiteral("it is not a regular file"));
#endif
    EXPECT_EQ(QFileInfo(text).size(), 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    EXPECT_FALSE(ReadBmpFile(dir.filePath(QStringLiteral("none.bmp"))).error.isEmpty());
    EXPECT_EQ(ReadBmpFile(text).error, QStringLiteral("not a BMP file"));
    EXPECT_FALSE(EncodeBmp4(Pattern(2, 2), {}).Ok()); // not indexed
    EXPECT_FALSE(EncodeIco({Pattern(300, 2)}, {}).Ok());
    EXPECT_FALSE(EncodeBmp24(QImage()).Ok() || EncodePng24(QImage()).Ok());
}

} // namespace
} // namespace kurvon
