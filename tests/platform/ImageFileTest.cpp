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

using Bytes = std::vector<std::uint8_t>;

TEST(ImageFile, LayoutAndReadBack) {
    QImage image(5, 3, QImage::Format_RGB32); // rows of 15 bytes, padded to 16
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, qRgb(x * 40, y * 60, (x + y) * 20));
    const Bytes b = EncodeBmp24(image).bytes;
    ASSERT_EQ(b.size(), 54u + 16 * 3);
    // The size, 54-byte headers, 5 x 3 bottom-up (a positive height), one plane of 24 bits, no
    // compression and zeroes to the end.
    const Bytes header = {'B', 'M', 102, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                          5,   0,   0,   0, 3, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0,  0, 0, 0,
                          0,   0,   0,   0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0};
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 54), header);
    EXPECT_EQ(EncodeBmp24(image.convertToFormat(QImage::Format_ARGB32)).bytes, b);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.bmp"));
    ASSERT_TRUE(WriteFileWhole(path, b).written);
    const BmpFile read = ReadBmpFile(path);
    EXPECT_EQ(read.image.convertToFormat(QImage::Format_RGB32), image) << read.error.toStdString();
    EXPECT_EQ(read.firstStoredPixel, image.pixel(0, 2)); // bottom-left
    EXPECT_EQ(b[54 + 15], 0);                            // row padding
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

    EXPECT_EQ(ReadBmpFile(text).error, QStringLiteral("not a BMP file"));
    EXPECT_FALSE(EncodeBmp24(QImage()).Ok() || EncodePng24(QImage()).Ok());
}

} // namespace
} // namespace kurvon
