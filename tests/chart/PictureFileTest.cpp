#include "chart/PictureFile.h"
#include "chart/PictureName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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
    const std::vector<std::uint8_t> b = EncodeBmp24(image).bytes;

    const std::uint32_t rowSize = 304; // 101 * 3 = 303, padded to a multiple of 4
    ASSERT_EQ(b.size(), 54u + rowSize * 3);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    // Offset, width in bytes, value: the size field, 54-byte headers, 101 x 3 bottom-up (a
    // positive height), one plane of 24 bits, no compression and zeroes to the end.
    const std::size_t fields[][3] = {{2, 4, b.size()}, {6, 2, 0},    {8, 2, 0},  {10, 4, 54},
                                     {14, 4, 40},      {18, 4, 101}, {22, 4, 3}, {26, 2, 1},
                                     {28, 2, 24},      {30, 4, 0},   {34, 4, 0}, {38, 4, 0},
                                     {42, 4, 0},       {46, 4, 0},   {50, 4, 0}};
    for (const auto& [at, width, value] : fields)
        EXPECT_EQ(width == 4 ? U32At(b, at) : U16At(b, at), value) << at;
    // Blue, green, red; the bottom row first; zero padding; the top row's last pixel.
    using Bytes = std::vector<std::uint8_t>;
    const std::size_t top = 54 + 2 * rowSize + 300;
    EXPECT_EQ(Bytes(b.begin() + 54, b.begin() + 58), (Bytes{30, 20, 10, 3}));
    EXPECT_EQ(b[54 + 303], 0);
    EXPECT_EQ(Bytes(b.begin() + top, b.begin() + top + 3), (Bytes{60, 50, 40}));

    // Other formats are converted; a null image gives nothing.
    EXPECT_EQ(EncodeBmp24(image.convertToFormat(QImage::Format_ARGB32)).bytes, b);
    EXPECT_FALSE(EncodeBmp24(QImage()).Ok());
}

TEST(PictureFileTest, WritesCompletelyOrNotAtAll) {
    QTemporaryDir dir;
    QImage image(37, 11, QImage::Format_ARGB32); // alpha is dropped, as in the BMP
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 7, y * 23, (x * y) % 256, 255));
    const QString bmp = dir.filePath(QStringLiteral("a.bmp"));
    ASSERT_TRUE(WritePictureFile(image, bmp, PictureFormat::Bmp).written);
    // Replacing an existing file leaves no temporary behind.
    QImage other(7, 7, QImage::Format_RGB32);
    other.fill(Qt::blue);
    ASSERT_TRUE(WritePictureFile(other, bmp, PictureFormat::Bmp).written);
    EXPECT_EQ(ReadAll(bmp).size(), 54 + 24 * 7);

    // Targets that cannot be written (even as root): a folder that does not exist, a parent
    // that is a regular file, a target that is a folder, a pipe (the rename would replace
    // it). Each says why; nothing is written, nothing destroyed.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.png")));
    QStringList targets = {dir.filePath(QStringLiteral("missing/a.png")), bmp + "/inside.png",
                           dir.filePath(QStringLiteral("folder.png")), QString()};
#ifdef Q_OS_UNIX
    const QString pipe = dir.filePath(QStringLiteral("pipe.bmp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    targets << pipe;
#endif
    for (const QString& target : targets) {
        for (PictureFormat format : {PictureFormat::Bmp, PictureFormat::Png}) {
            const PictureWriteResult result = WritePictureFile(image, target, format);
            EXPECT_FALSE(result.written) << target.toStdString();
            EXPECT_FALSE(result.reason.isEmpty()) << target.toStdString();
        }
    }
    EXPECT_FALSE(WritePictureFile(QImage(), bmp, PictureFormat::Bmp).written);
    EXPECT_FALSE(EncodePng24(QImage()).Ok());
    EXPECT_EQ(ReadAll(bmp).size(), 54 + 24 * 7); // the existing picture is intact
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)
                  .size(),
              targets.size() == 5 ? 3 : 2);
}

TEST(PictureFileTest, SuffixRules) {
    // Save picture: the chosen filter's suffix unless already exactly there.
    const struct {
        const char* name;
        PictureFormat format;
        const char* saved;
    } chosen[] = {
        {"/tmp/a.bmp", PictureFormat::Bmp, "/tmp/a.bmp"},
        {"/tmp/a", PictureFormat::Bmp, "/tmp/a.bmp"},
        {"a.BMP", PictureFormat::Bmp, "a.BMP.bmp"},
        {"a.bmpx", PictureFormat::Bmp, "a.bmpx.bmp"},
        {".bmp", PictureFormat::Bmp, ".bmp"},
        {"mp", PictureFormat::Bmp, "mp.bmp"},
        {"图片", PictureFormat::Bmp, "图片.bmp"},
        {"a.png", PictureFormat::Png, "a.png"},
        {"a", PictureFormat::Png, "a.png"},
        {"a.bmp", PictureFormat::Png, "a.bmp.png"},
        {"a.PNG", PictureFormat::Png, "a.PNG.png"},
    };
    for (const auto& c : chosen)
        EXPECT_EQ(WithPictureSuffix(QString::fromUtf8(c.name), c.format),
                  QString::fromUtf8(c.saved))
            << c.name;

    // The command line: the suffix in any case chooses; none gets ".bmp"; others are refused.
    const struct {
        const char* name;
        std::optional<PictureFormat> format;
        const char* path;
    } named[] = {
        {"out.png", PictureFormat::Png, "out.png"},
        {"out.PnG", PictureFormat::Png, "out.PnG"},
        {"out.BMP", PictureFormat::Bmp, "out.BMP"},
        {"d.png/out", PictureFormat::Bmp, "d.png/out.bmp"},
        {"out", PictureFormat::Bmp, "out.bmp"},
        {".hidden", PictureFormat::Bmp, ".hidden.bmp"},
        {"out.jpg", std::nullopt, ""},
        {"out.png.gz", std::nullopt, ""},
        {"out.", std::nullopt, ""},
        {"dir/", std::nullopt, ""},
    };
    for (const auto& n : named) {
        const std::optional<PictureTarget> target = PictureTargetOfName(QString::fromUtf8(n.name));
        ASSERT_EQ(target.has_value(), n.format.has_value()) << n.name;
        if (target) {
            EXPECT_EQ(target->format, *n.format) << n.name;
            EXPECT_EQ(target->path, QString::fromUtf8(n.path)) << n.name;
        }
    }
}

} // namespace
} // namespace kurvon
