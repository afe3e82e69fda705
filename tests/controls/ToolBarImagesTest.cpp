// Tool bar images: strips cut into whole images in button order, the transparent colour taken
// from the first stored pixel, a strip of their own for disabled buttons, failures keeping the
// images already there.
#include "controls/CMainToolBar.h"
#include "controls/ImageStrip.h"

#include <QAction>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kurvon;

namespace {

constexpr int kW = 32;

// `count` 32 x 32 images on `key`: image k is a 24 x 24 square of colour (base + k) in a
// four-pixel frame of `key`, so every corner pixel is `key`.
QImage MakeStrip(int count, QColor key, QColor base) {
    QImage strip(count * kW, kW, QImage::Format_RGB888);
    strip.fill(key);
    QPainter painter(&strip);
    for (int k = 0; k < count; ++k)
        painter.fillRect(k * kW + 4, 4, 24, 24, QColor(base.red(), base.green(), base.blue() - k));
    return strip;
}

QRgb IconPixel(QAction* action, QIcon::Mode mode, int x = 16, int y = 16) {
    const QImage image = action->icon().pixmap(QSize(kW, kW), mode).toImage();
    return image.convertToFormat(QImage::Format_ARGB32).pixel(x, y);
}

} // namespace

TEST(ImageStrip, CutsOnlyWholeImages) {
    const QRgb key = qRgb(0, 0, 0);
    // A partial image at the end is dropped.
    const QImage strip =
        MakeStrip(3, QColor(key), QColor(10, 200, 100)).copy(0, 0, 3 * kW + 20, kW);
    const auto images = CutImageStrip(strip, key, kW);
    ASSERT_TRUE(images);
    ASSERT_EQ(images->size(), 3);
    EXPECT_EQ(images->back().pixel(10, 10), qRgba(10, 200, 98, 255));
    EXPECT_EQ(images->at(1).pixel(3, 4), 0u); // the frame: each image starts at its own edge
    EXPECT_EQ(images->at(1).pixel(4, 4), qRgba(10, 200, 99, 255));
    EXPECT_FALSE(CutImageStrip(strip.copy(0, 0, 31, kW), key, kW)); // no whole image
}

TEST(ToolBar, ButtonsGetNormalHotAndDisabledImagesInOrderAndShowThem) {
    QTemporaryDir dir;
    const QString normal = dir.filePath("n.bmp"), disabled = dir.filePath("d.bmp");
    ASSERT_TRUE(MakeStrip(8, QColor(0, 0, 0), QColor(20, 120, 220)).save(normal, "BMP"));
    ASSERT_TRUE(MakeStrip(8, QColor(95, 95, 95), QColor(180, 190, 200)).save(disabled, "BMP"));
    CMainToolBar bar;
    QList<QAction*> a;
    for (int i = 0; i < 8; ++i)
        a.append(new QAction(QStringLiteral("a%1").arg(i), &bar));
    // Open | Back, Forward | Zoom in, Zoom out, Show all | Data points | Save picture
    bar.AddButtons(
        {a[0], nullptr, a[1], a[2], nullptr, a[3], a[4], a[5], nullptr, a[6], nullptr, a[7]});
    ASSERT_EQ(bar.Buttons(), a);
    using Kind = CMainToolBar::ImageListKind;
    ASSERT_TRUE(bar.SetTrueColorImageListFromFile(Kind::Normal, normal, kW));
    ASSERT_TRUE(bar.SetTrueColorImageListFromFile(Kind::Disabled, disabled, kW));
    ASSERT_TRUE(bar.SetTrueColorImageListFromFile(Kind::Hot, disabled, kW));
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(IconPixel(a[k], QIcon::Normal), qRgb(20, 120, 220 - k)) << k;
        EXPECT_EQ(IconPixel(a[k], QIcon::Disabled), qRgb(180, 190, 200 - k)) << k;
        EXPECT_EQ(IconPixel(a[k], QIcon::Active), qRgb(180, 190, 200 - k)) << k;
        // Black is transparent in the normal strip, grey (95, 95, 95) in the disabled one.
        EXPECT_EQ(qAlpha(IconPixel(a[k], QIcon::Normal, 1, 1)), 0) << k;
        EXPECT_EQ(qAlpha(IconPixel(a[k], QIcon::Disabled, 1, 30)), 0) << k;
    }

    // A failed load keeps the images already installed.
    EXPECT_FALSE(bar.SetTrueColorImageListFromFile(Kind::Normal, dir.filePath("none.bmp"), kW));
    EXPECT_FALSE(bar.SetTrueColorImageListFromFile(Kind::Disabled, disabled, 0));
    EXPECT_FALSE(bar.SetTrueColorImageList(Kind::Normal, 999, kW)); // no such bitmap
    EXPECT_EQ(IconPixel(a[3], QIcon::Normal), qRgb(20, 120, 217));
    EXPECT_EQ(IconPixel(a[3], QIcon::Disabled), qRgb(180, 190, 197));
}
