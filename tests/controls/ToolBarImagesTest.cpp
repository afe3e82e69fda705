// Tool bar images: strips cut into icons, the transparent colour taken from the first stored
// pixel, disabled buttons showing their own strip, failures keeping the previous images.
#include "controls/CMainToolBar.h"
#include "controls/ImageStrip.h"
#include "platform/ImageFile.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMainWindow>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace kurvon;

namespace {

constexpr int kW = 32;

// A strip of `count` 32 x 32 images on `key`: image k is a square of colour (base + k) with a
// one-pixel frame of `key`, and its bottom-left pixel is always `key`.
QImage MakeStrip(int count, QColor key, QColor base) {
    QImage strip(count * kW, kW, QImage::Format_RGB888);
    strip.fill(key);
    for (int k = 0; k < count; ++k) {
        const QColor c(base.red(), base.green(), base.blue() - k);
        for (int y = 4; y < 28; ++y)
            for (int x = 4; x < 28; ++x)
                strip.setPixelColor(k * kW + x, y, c);
    }
    return strip;
}

QString SaveStrip(const QTemporaryDir& dir, const QString& name, const QImage& strip) {
    const QString path = dir.filePath(name);
    EXPECT_TRUE(strip.save(path, "BMP"));
    return path;
}

// A 24-bit BMP with rows stored top-down (negative height), 2 x 2 pixels.
QByteArray TopDownBmp(QRgb topLeft, QRgb bottomLeft) {
    QByteArray b;
    auto u16 = [&b](unsigned v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto u32 = [&](unsigned v) { u16(v & 0xFFFF), u16(v >> 16); };
    auto px = [&b](QRgb c) {
        b.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
    };
    const unsigned stride = 8; // 2 pixels * 3 bytes, padded to 4
    b.append("BM");
    u32(14 + 40 + 2 * stride), u32(0), u32(14 + 40);
    u32(40), u32(2), u32(static_cast<unsigned>(-2)), u16(1), u16(24), u32(0), u32(2 * stride);
    u32(2835), u32(2835), u32(0), u32(0);
    px(topLeft), px(qRgb(1, 2, 3)), u16(0);
    px(bottomLeft), px(qRgb(4, 5, 6)), u16(0);
    return b;
}

QImage IconImage(QAction* action, QIcon::Mode mode) {
    return action->icon()
        .pixmap(QSize(kW, kW), mode)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

struct TwelveButtons {
    QList<QAction*> actions;
    QList<QAction*> layout;
    TwelveButtons() {
        for (int i = 0; i < 8; ++i)
            actions.append(new QAction(QStringLiteral("a%1").arg(i)));
        // Open | Back, Forward | Zoom in, Zoom out, Show all | Data points | Save picture
        layout = {actions[0], nullptr,    actions[1], actions[2], nullptr, actions[3],
                  actions[4], actions[5], nullptr,    actions[6], nullptr, actions[7]};
    }
    ~TwelveButtons() { qDeleteAll(actions); }
};

} // namespace

// Bottom-up files are ImageFileTest's; a top-down file's first stored pixel is its top-left.
TEST(ImageStrip, TransparentColourOfATopDownFile) {
    const QByteArray topDown = TopDownBmp(qRgb(11, 22, 33), qRgb(44, 55, 66));
    QImage decoded(2, 2, QImage::Format_RGB32);
    decoded.setPixel(0, 0, qRgb(11, 22, 33));
    decoded.setPixel(0, 1, qRgb(44, 55, 66));
    EXPECT_EQ(FirstStoredBmpPixel(topDown, decoded), qRgb(11, 22, 33));
    EXPECT_FALSE(FirstStoredBmpPixel(QByteArray("PNG..."), decoded));
}

TEST(ImageStrip, CutsOnlyWholeImages) {
    // The images' order and transparency are checked through the tool bar's buttons below.
    const QRgb key = qRgb(0, 0, 0);
    QImage strip = MakeStrip(3, QColor(key), QColor(10, 200, 100));
    strip = strip.copy(0, 0, 3 * kW + 20, kW); // a partial image at the end is dropped
    const auto images = CutImageStrip(strip, key, kW);
    ASSERT_TRUE(images);
    ASSERT_EQ(images->size(), 3);
    EXPECT_EQ(images->back().pixel(10, 10), qRgba(10, 200, 98, 255));
    EXPECT_EQ(images->at(1).pixel(3, 4), 0u); // the frame: each image starts at its own edge
    EXPECT_EQ(images->at(1).pixel(4, 4), qRgba(10, 200, 99, 255));
    EXPECT_FALSE(CutImageStrip(strip, key, 0));
    EXPECT_FALSE(CutImageStrip(strip.copy(0, 0, 31, kW), key, kW)); // no whole image
    EXPECT_FALSE(CutImageStrip(QImage(), key, kW));
}

TEST(ToolBar, ButtonsGetNormalHotAndDisabledImagesInOrderAndShowThem) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString normal =
        SaveStrip(dir, "n.bmp", MakeStrip(8, QColor(0, 0, 0), QColor(20, 120, 220)));
    const QString disabled =
        SaveStrip(dir, "d.bmp", MakeStrip(8, QColor(95, 95, 95), QColor(180, 190, 200)));

    TwelveButtons b;
    CMainToolBar bar;
    bar.AddButtons(b.layout);
    ASSERT_EQ(bar.Buttons(), b.actions);
    using Kind = CMainToolBar::ImageListKind;
    ASSERT_TRUE(bar.SetTrueColorImageListFromFile(Kind::Normal, normal, kW));
    ASSERT_TRUE(bar.SetTrueColorImageListFromFile(Kind::Disabled, disabled, kW));
    ASSERT_TRUE(bar.SetTrueColorImageListFromFile(Kind::Hot, disabled, kW));

    for (int k = 0; k < 8; ++k) {
        QAction* a = b.actions[k];
        const QImage n = IconImage(a, QIcon::Normal);
        const QImage d = IconImage(a, QIcon::Disabled);
        EXPECT_EQ(n.pixel(16, 16), qRgb(20, 120, 220 - k)) << k;
        EXPECT_EQ(d.pixel(16, 16), qRgb(180, 190, 200 - k)) << k;
        EXPECT_EQ(IconImage(a, QIcon::Active).pixel(16, 16), d.pixel(16, 16)) << k;
        // Black is transparent in the normal strip, grey (95, 95, 95) in the disabled one.
        EXPECT_EQ(qAlpha(n.pixel(1, 1)), 0) << k;
        EXPECT_EQ(qAlpha(d.pixel(1, 30)), 0) << k;
        EXPECT_FALSE(a->isIconVisibleInMenu());
    }

    // A failed load keeps the images already installed.
    EXPECT_FALSE(bar.SetTrueColorImageListFromFile(Kind::Normal, dir.filePath("none.bmp"), kW));
    EXPECT_FALSE(bar.SetTrueColorImageListFromFile(Kind::Disabled, disabled, 0));
    EXPECT_FALSE(bar.SetTrueColorImageList(Kind::Normal, 999, kW)); // no such bitmap
    EXPECT_EQ(IconImage(b.actions[3], QIcon::Normal).pixel(16, 16), qRgb(20, 120, 217));
    EXPECT_EQ(IconImage(b.actions[3], QIcon::Disabled).pixel(16, 16), qRgb(180, 190, 197));

    // On screen a disabled button shows its own image, the strip's grey showing the bar.
    b.actions[6]->setEnabled(false);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    auto count = [&bar](QAction* action, QRgb c) {
        const QImage im = bar.widgetForAction(action)->grab().toImage();
        int n = 0;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x)
                n += (im.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF);
        return n;
    };
    EXPECT_EQ(count(b.actions[6], qRgb(180, 190, 194)), 24 * 24);
    EXPECT_EQ(count(b.actions[6], qRgb(95, 95, 95)), 0);
    EXPECT_EQ(count(b.actions[5], qRgb(20, 120, 215)), 24 * 24);
}

TEST(ToolBar, StoredStripsHaveTheirTransparentColours) {
    const QString dir = QStringLiteral(KURVON_RES_DIR);
    const struct {
        const char* file;
        QRgb key;
    } strips[] = {{"IDB_TOOLBAR_NORMAL.bmp", qRgb(0, 0, 0)},
                  {"IDB_TOOLBAR_DISABLED.bmp", qRgb(95, 95, 95)}};
    for (const auto& s : strips) {
        QFile f(QDir(dir).filePath(QString::fromLatin1(s.file)));
        if (!f.open(QIODevice::ReadOnly))
            GTEST_SKIP() << "no " << s.file;
        const QByteArray bytes = f.readAll();
        const QImage image = QImage::fromData(bytes, "BMP");
        EXPECT_EQ(image.size(), QSize(256, 32)) << s.file;
        EXPECT_EQ(FirstStoredBmpPixel(bytes, image), s.key) << s.file;
        const auto images = LoadImageStrip(f.fileName(), kW);
        ASSERT_TRUE(images);
        EXPECT_EQ(images->size(), 8) << s.file;
    }
}

TEST(ToolBar, DraggedByAFreeSpotWithoutGripper) {
    QMainWindow w;
    TwelveButtons b;
    auto* bar = new CMainToolBar(&w);
    bar->AddButtons(b.layout);
    w.addToolBar(Qt::TopToolBarArea, bar);
    w.setCentralWidget(new QWidget);
    w.resize(800, 500);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(bar->style()->pixelMetric(QStyle::PM_ToolBarHandleExtent, nullptr, bar), 0);
    // Without any image list the actions keep their own icons, also in menus.
    EXPECT_TRUE(b.actions[0]->isIconVisibleInMenu());
    // Right of the last button there is only the bar itself; dragging it into the middle of
    // the window floats it.
    const QPoint free(bar->width() - 5, bar->height() / 2);
    ASSERT_EQ(bar->childAt(free), nullptr);
    QTest::mousePress(bar, Qt::LeftButton, {}, free);
    for (int i = 1; i <= 20; ++i)
        QTest::mouseMove(bar, free + QPoint(-10 * i, 10 * i));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, free + QPoint(-200, 200));
    EXPECT_TRUE(bar->isFloating());
}
