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
    const QString bmp = dir.filePath(QStringLiteral("a.bmp"));
    const QString png = dir.filePath(QStringLiteral("a.png"));
    const std::pair<QString, PictureFormat> writes[] = {
        {bmp, PictureFormat::Bmp}, {bmp, PictureFormat::Bmp}, {png, PictureFormat::Png}};
    for (const auto& [path, format] : writes) // the second replaces the first
        ASSERT_TRUE(WritePictureFile(image, path, format).written);
    for (const QString& path : {bmp, png}) {
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), path == bmp ? "bmp" : "png");
        EXPECT_EQ(reader.read().pixel(36, 10), qRgb(10, 20, 30)) << path.toStdString();
    }
    const PictureWriteResult none = WritePictureFile(QImage(), bmp, PictureFormat::Bmp);
    EXPECT_FALSE(none.written || none.reason.isEmpty());
    EXPECT_EQ(QImage(bmp).size(), image.size());                  // the old picture is intact
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary left behind
}

TEST(PictureFileTest, SuffixRules) {
    // Save picture: the chosen filter's suffix unless already exactly there.
    const struct {
        const char* name;
        PictureFormat format;
        const char* saved;
    } chosen[] = {
        {"/tmp/a.bmp", PictureFormat::Bmp, "/tmp/a.bmp"},
        {"a", PictureFormat::Png, "a.png"},
        {"a.BMP", PictureFormat::Bmp, "a.BMP.bmp"},
        {"a.bmpx", PictureFormat::Bmp, "a.bmpx.bmp"},
        {".bmp", PictureFormat::Bmp, ".bmp"},
        {"mp", PictureFormat::Bmp, "mp.bmp"},
        {"图片", PictureFormat::Bmp, "图片.bmp"},
        {"a.png", PictureFormat::Png, "a.png"},
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
        {".hidden", PictureFormat::Bmp, ".hidden.bmp"},
        {"out.jpg", std::nullopt, ""},
        {"out.png.gz", std::nullopt, ""},
        {"out.", std::nullopt, ""},
        {"dir/", std::nullopt, ""},
    };
    for (const auto& n : named) {
        const std::optional<PictureTarget> target = PictureTargetOfName(QString::fromUtf8(n.name));
        ASSERT_EQ(target.has_value(), n.format.has_value()) << n.name;
        EXPECT_TRUE(!target ||
                    (target->format == *n.format && target->path == QString::fromUtf8(n.path)))
            << n.name;
    }
}

} // namespace
} // namespace kurvon
