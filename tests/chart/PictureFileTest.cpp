#include "chart/PictureFile.h"
#include "chart/PictureName.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kurvon {
namespace {

TEST(PictureFileTest, WritesEitherFormatOverTheOldFileOrNothing) {
    QTemporaryDir dir;
    QImage image(37, 11, QImage::Format_ARGB32); // alpha is dropped
    image.fill(qRgba(10, 20, 30, 40));
    const QString bmp = dir.filePath(QStringLiteral("a.bmp")), png = dir.filePath("a.png");
    for (const QString& path : {bmp, bmp, png}) { // the second replaces the first
        const PictureFormat format = path == bmp ? PictureFormat::Bmp : PictureFormat::Png;
        ASSERT_TRUE(WritePictureFile(image, path, format).written);
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), path == bmp ? "bmp" : "png");
        EXPECT_EQ(reader.read().pixel(36, 10), qRgb(10, 20, 30));
    }
    const PictureWriteResult none = WritePictureFile(QImage(), bmp, PictureFormat::Bmp);
    EXPECT_FALSE(none.written || none.reason.isEmpty());
    EXPECT_EQ(QImage(bmp).size(), image.size());                  // the old picture is intact
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary left behind
}

TEST(PictureFileTest, SuffixRules) {
    // Save picture: the chosen filter's suffix unless already exactly there.
    const std::pair<const char*, const char*> chosen[] = {
        {"/tmp/a.bmp", "/tmp/a.bmp"}, {"/tmp/a", "/tmp/a.bmp"}, {"a.BMP", "a.BMP.bmp"},
        {"a.bmpx", "a.bmpx.bmp"},     {".bmp", ".bmp"},         {"mp", "mp.png"},
        {"a.bmp", "a.bmp.png"},       {"a.PNG", "a.PNG.png"},   {"图片", "图片.bmp"},
    };
    for (const auto& [name, saved] : chosen) {
        const QString expected = QString::fromUtf8(saved);
        const bool png = expected.endsWith(".png");
        EXPECT_EQ(WithPictureSuffix(name, png ? PictureFormat::Png : PictureFormat::Bmp), expected);
    }

    // The command line: the suffix in any case chooses; none gets ".bmp"; others are refused.
    const std::pair<const char*, const char*> named[] = {
        {"o.png", "o.png"},         {"o.PnG", "o.PnG"},         {"o.BMP", "o.BMP"},
        {"d.png/o", "d.png/o.bmp"}, {".hidden", ".hidden.bmp"},
    };
    for (const auto& [name, path] : named) {
        const std::optional<PictureTarget> target = PictureTargetOfName(name);
        ASSERT_TRUE(target) << name;
        EXPECT_EQ(target->path, path);
        EXPECT_EQ(target->format == PictureFormat::Png,
                  target->path.endsWith(".png", Qt::CaseInsensitive));
    }
    for (const char* name : {"o.jpg", "o.png.gz", "o.", "dir/"})
        EXPECT_FALSE(PictureTargetOfName(name)) << name;
}

} // namespace
} // namespace kurvon
