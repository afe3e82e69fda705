// resgen: draws the program's tool bar strips and icon and writes them into res/.
//
//   resgen [OUTDIR] [--preview PNG]
//
// OUTDIR defaults to "res". The icon also goes to OUTDIR/hicolor/NxN/apps/kurvon.png at the
// sizes the desktop's icon theme looks for. --preview also writes every picture enlarged four
// times onto one sheet, to look at them. The true-colour strips keep the tool bar's convention:
// the first stored pixel (bottom-left) is the transparent colour, and no picture pixel has that
// colour.

#include "platform/ImageFile.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The resources record their image sizes and 96 dpi.
constexpr kurvon::BmpHeaderStyle kStyle{true, 3780};

// Writes an encoded file, or says why it cannot be written.
bool save(const QString& path, const kurvon::EncodedImage& encoded) {
    QString reason = encoded.error;
    if (encoded.Ok())
        reason = kurvon::WriteFileWhole(path, encoded.bytes).reason;
    if (reason.isEmpty())
        return true;
    std::fprintf(stderr, "resgen: cannot write %s: %s\n", qPrintable(path), qPrintable(reason));
    return false;
}

bool saveThemeIcons(const QString& outDir, const std::function<QImage(int)>& draw) {
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString dir = QString("%1/hicolor/%2x%2/apps").arg(outDir, QString::number(size));
        if (!QDir().mkpath(dir) || !draw(size).save(dir + "/kurvon.png"))
            return false;
    }
    return true;
}

// ---- Drawing ---------------------------------------------------------------------------------

const QColor kOutline(30, 30, 30);

QImage transparentCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPen outlinePen(const QColor& colour = kOutline, qreal width = 1.0) {
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void drawOpenFolder(QPainter& p) {
    const QColor edge(110, 70, 10);
    QPainterPath back;
    back.moveTo(3.5, 26.5);
    back.lineTo(3.5, 7.5);
    back.lineTo(11.5, 7.5);
    back.lineTo(13.5, 10.5);
    back.lineTo(25.5, 10.5);
    back.lineTo(25.5, 26.5);
    back.closeSubpath();
    p.setPen(outlinePen(edge));
    p.setBrush(QColor(222, 165, 45));
    p.drawPath(back);

    p.setPen(outlinePen(QColor(120, 120, 120)));
    p.setBrush(QColor(250, 250, 245));
    p.drawRect(QRectF(6.5, 12.5, 16, 10));
    p.setPen(outlinePen(QColor(150, 170, 200)));
    for (qreal y = 15.5; y < 20; y += 2.5)
        p.drawLine(QPointF(9, y), QPointF(20, y));

    QPainterPath front;
    front.moveTo(3.5, 26.5);
    front.lineTo(8.5, 15.5);
    front.lineTo(30.0, 15.5);
    front.lineTo(25.5, 26.5);
    front.closeSubpath();
    QLinearGradient g(0, 15, 0, 27);
    g.setColorAt(0, QColor(255, 225, 120));
    g.setColorAt(1, QColor(240, 180, 50));
    p.setPen(outlinePen(edge));
    p.setBrush(g);
    p.drawPath(front);
}

void drawBlueDisc(QPainter& p) {
    QRadialGradient g(QPointF(12, 10), 20);
    g.setColorAt(0, QColor(120, 185, 255));
    g.setColorAt(0.55, QColor(40, 115, 225));
    g.setColorAt(1, QColor(20, 70, 170));
    p.setPen(outlinePen(QColor(15, 45, 115)));
    p.setBrush(g);
    p.drawEllipse(QPointF(16, 16), 14, 14);
    // A soft highlight at the top gives the disc some depth.
    QLinearGradient shine(0, 3, 0, 16);
    shine.setColorAt(0, QColor(255, 255, 255, 120));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(QRectF(7, 3.5, 18, 11));
}

void drawArrow(QPainter& p, bool pointsLeft) {
    QPolygonF arrow;
    arrow << QPointF(6.5, 16) << QPointF(15, 7.5) << QPointF(15, 12.5) << QPointF(25.5, 12.5)
          << QPointF(25.5, 19.5) << QPointF(15, 19.5) << QPointF(15, 24.5);
    if (!pointsLeft)
        for (QPointF& pt : arrow)
            pt.setX(32 - pt.x());
    p.setPen(outlinePen(QColor(15, 45, 115)));
    p.setBrush(QColor(255, 255, 255));
    p.drawPolygon(arrow);
}

enum class Sign { None, Plus, Minus };

void drawMagnifier(QPainter& p, QPointF centre, qreal radius, Sign sign) {
    const QPointF dir(0.7071, 0.7071);
    const QPointF handleStart = centre + dir * (radius + 1.0);
    const QPointF handleEnd = centre + dir * (radius * 2.1 + 1.5);
    QPen handleOuter(kOutline, radius * 0.75, Qt::SolidLine, Qt::RoundCap);
    p.setPen(handleOuter);
    p.drawLine(handleStart, handleEnd);
    QPen handleInner(QColor(150, 95, 40), radius * 0.75 - 2, Qt::SolidLine, Qt::RoundCap);
    p.setPen(handleInner);
    p.drawLine(handleStart + dir * 0.5, handleEnd - dir * 0.3);

    QRadialGradient glass(centre - QPointF(radius, radius) * 0.35, radius * 1.4);
    glass.setColorAt(0, QColor(250, 253, 255));
    glass.setColorAt(1, QColor(165, 205, 240));
    p.setPen(QPen(QColor(85, 95, 110), 2.5));
    p.setBrush(glass);
    p.drawEllipse(centre, radius, radius);
    p.setPen(outlinePen(kOutline));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius + 1.25, radius + 1.25);

    const qreal arm = radius * 0.5;
    p.setPen(QPen(QColor(20, 70, 170), 2.4, Qt::SolidLine, Qt::FlatCap));
    if (sign != Sign::None)
        p.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
    if (sign == Sign::Plus)
        p.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
}

void drawFourCorners(QPainter& p) {
    const qreal lo = 2.5, hi = 29.5, len = 8;
    p.setPen(QPen(QColor(200, 55, 35), 2.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    for (int corner = 0; corner < 4; ++corner) {
        const qreal x = (corner & 1) ? hi : lo;
        const qreal y = (corner & 2) ? hi : lo;
        const qreal dx = (corner & 1) ? -len : len;
        const qreal dy = (corner & 2) ? -len : len;
        p.drawPolyline(QPolygonF{QPointF(x + dx, y), QPointF(x, y), QPointF(x, y + dy)});
    }
}

void drawCamera(QPainter& p) {
    p.setPen(outlinePen(kOutline));
    p.setBrush(QColor(225, 228, 235));
    p.drawRoundedRect(QRectF(11.5, 8.5, 8, 4), 1, 1);
    QLinearGradient body(0, 11, 0, 24);
    body.setColorAt(0, QColor(245, 247, 250));
    body.setColorAt(1, QColor(190, 195, 205));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(6.5, 11.5, 19, 12), 2, 2);
    p.setBrush(QColor(60, 65, 75));
    p.drawEllipse(QPointF(16, 17.5), 4.6, 4.6);
    QRadialGradient lens(QPointF(15, 16.5), 3.5);
    lens.setColorAt(0, QColor(150, 210, 255));
    lens.setColorAt(1, QColor(30, 70, 140));
    p.setPen(Qt::NoPen);
    p.setBrush(lens);
    p.drawEllipse(QPointF(16, 17.5), 3.0, 3.0);
    p.setBrush(QColor(255, 200, 60));
    p.drawRect(QRectF(21, 13, 3, 2));
}

// Eight 32 × 32 pictures in button order, on a transparent 256 × 32 canvas.
QImage drawToolbarPictures() {
    const std::array<std::function<void(QPainter&)>, 8> pictures = {
        [](QPainter& p) { drawOpenFolder(p); },
        [](QPainter& p) { drawBlueDisc(p), drawArrow(p, true); },
        [](QPainter& p) { drawBlueDisc(p), drawArrow(p, false); },
        [](QPainter& p) { drawMagnifier(p, QPointF(13, 13), 8.5, Sign::Plus); },
        [](QPainter& p) { drawMagnifier(p, QPointF(13, 13), 8.5, Sign::Minus); },
        [](QPainter& p) { drawFourCorners(p), drawMagnifier(p, QPointF(14, 14), 6, Sign::None); },
        [](QPainter& p) { drawBlueDisc(p); },
        [](QPainter& p) { drawBlueDisc(p), drawCamera(p); },
    };
    QImage strip = transparentCanvas(256, 32);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(32 * i, 0);
        p.setClipRect(0, 0, 32, 32);
        pictures[i](p);
        p.restore();
    }
    return strip;
}

// A battery with a discharge curve on its face; `size` is 16, 32 or larger.
QImage drawIcon(int size) {
    QImage image = transparentCanvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    const bool tiny = size <= 16;
    const qreal line = tiny ? 2.0 : 1.0; // one icon pixel either way
    p.setPen(outlinePen(kOutline, line));
    p.setBrush(QColor(120, 125, 135));
    p.drawRoundedRect(QRectF(27, 12, 4, 8), 1, 1); // terminal
    QLinearGradient body(0, 5, 0, 27);
    body.setColorAt(0, QColor(120, 220, 110));
    body.setColorAt(1, QColor(30, 140, 45));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 5.5, 26, 21), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 250, 255));
    p.drawRect(QRectF(5, 9, 19, 14));
    QPainterPath curve; // voltage falling slowly, then the knee near empty
    curve.moveTo(6, 11);
    curve.cubicTo(11, 13, 16, 14, 19, 16);
    curve.quadTo(21.5, 18, 22.5, 22);
    p.setPen(QPen(QColor(210, 40, 30), tiny ? 3.0 : 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    return image;
}

// Simple 16-colour stock pictures for the tool bar resource's own strip (256 × 31).
QImage drawStockStrip() {
    QImage rgb(256, 31, QImage::Format_RGB32);
    rgb.fill(QColor(192, 192, 192));
    QPainter p(&rgb);
    const QColor black(0, 0, 0), white(255, 255, 255), grey(128, 128, 128), navy(0, 0, 128),
        yellow(255, 255, 0), olive(128, 128, 0), teal(0, 128, 128), maroon(128, 0, 0);
    auto page = [&](int x, int y, int w, int h) {
        p.setPen(black);
        p.setBrush(white);
        p.drawPolygon(QPolygon{QPoint(x, y), QPoint(x + w - 5, y), QPoint(x + w, y + 5),
                               QPoint(x + w, y + h), QPoint(x, y + h)});
        p.drawLine(x + w - 5, y, x + w - 5, y + 5);
        p.drawLine(x + w - 5, y + 5, x + w, y + 5);
        p.setPen(grey);
        for (int ly = y + 8; ly < y + h - 2; ly += 3)
            p.drawLine(x + 3, ly, x + w - 3, ly);
    };
    page(9, 5, 14, 20); // 0: new page
    p.translate(32, 0); // 1: open folder
    p.setPen(black);
    p.setBrush(olive);
    p.drawPolygon(QPolygon{QPoint(4, 8), QPoint(11, 8), QPoint(13, 10), QPoint(24, 10),
                           QPoint(24, 24), QPoint(4, 24)});
    p.setBrush(yellow);
    p.drawPolygon(QPolygon{QPoint(4, 24), QPoint(9, 14), QPoint(29, 14), QPoint(24, 24)});
    p.translate(32, 0); // 2: disk
    p.setBrush(navy);
    p.drawRect(6, 5, 20, 20);
    p.setBrush(white);
    p.drawRect(9, 5, 14, 9);
    p.setBrush(grey);
    p.drawRect(10, 18, 12, 7);
    p.setBrush(navy);
    p.drawRect(18, 19, 2, 4);
    p.translate(32, 0); // 3: scissors
    p.setPen(QPen(grey, 2));
    p.drawLine(11, 4, 18, 18);
    p.drawLine(21, 4, 14, 18);
    p.setPen(QPen(navy, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(8, 18, 7, 7);
    p.drawEllipse(17, 18, 7, 7);
    p.translate(32, 0); // 4: copy
    page(5, 4, 13, 17);
    page(13, 9, 13, 17);
    p.translate(32, 0); // 5: paste
    p.setPen(black);
    p.setBrush(maroon);
    p.drawRect(5, 6, 17, 20);
    p.setBrush(grey);
    p.drawRect(10, 4, 7, 4);
    page(14, 11, 13, 16);
    p.translate(32, 0); // 6: printer
    p.setPen(black);
    p.setBrush(white);
    p.drawRect(10, 4, 12, 10);
    p.setBrush(grey);
    p.drawRect(4, 13, 24, 10);
    p.setBrush(teal);
    p.drawRect(6, 15, 3, 2);
    p.setBrush(white);
    p.drawRect(9, 21, 14, 5);
    p.translate(32, 0); // 7: help pointer
    p.setPen(black);
    p.setBrush(white);
    p.drawPolygon(QPolygon{QPoint(4, 4), QPoint(4, 21), QPoint(8, 17), QPoint(11, 24),
                           QPoint(14, 23), QPoint(11, 16), QPoint(16, 16)});
    p.setPen(QPen(navy, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(18, 6, 8, 8), 180 * 16, -270 * 16);
    p.drawLine(22, 14, 22, 18);
    p.drawPoint(22, 22);
    p.end();

    // The classic 16-colour palette; every pixel takes its nearest entry.
    const QList<QRgb> palette = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return rgb.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

// ---- Flattening onto the transparent colour ----------------------------------------------------

// Edge pixels that are mostly covered are blended with a light tool-bar grey, the rest become the
// transparent colour: masking is all-or-nothing, and a light blend avoids dark fringes.
QImage flatten(const QImage& picture, QRgb transparent, const std::function<QRgb(QRgb)>& look) {
    const QRgb edgeBackdrop = qRgb(224, 224, 224);
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    QImage out(argb.size(), QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb c = argb.pixel(x, y);
            const int a = qAlpha(c);
            if (a < 128) {
                out.setPixel(x, y, transparent);
                continue;
            }
            auto mix = [a](int fg, int bg) { return (fg * a + bg * (255 - a) + 127) / 255; };
            QRgb v =
                look(qRgb(mix(qRed(c), qRed(edgeBackdrop)), mix(qGreen(c), qGreen(edgeBackdrop)),
                          mix(qBlue(c), qBlue(edgeBackdrop))));
            if ((v & 0xFFFFFF) == (transparent & 0xFFFFFF))
                v = qRgb(qRed(v) ^ 1, qGreen(v), qBlue(v)); // one step off, still the same look
            out.setPixel(x, y, v);
        }
    }
    return out;
}

int luma(QRgb c) {
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114 + 500) / 1000;
}

QRgb asIs(QRgb c) {
    return c;
}

// Mostly grey, much lighter, a trace of the colour left: clearly lighter than the (95, 95, 95)
// background, so the picture reads as disabled.
QRgb washedOut(QRgb c) {
    const int l = luma(c);
    auto channel = [l](int v) { return 125 + (l * 85 + v * 15) / 100 * 50 / 100; };
    return qRgb(channel(qRed(c)), channel(qGreen(c)), channel(qBlue(c)));
}

// ---- Preview and main ------------------------------------------------------------------------

// Shows `image` as the tool bar would: pixels of its transparent colour (the first stored pixel,
// bottom-left) replaced by a light tool bar background.
QImage asOnToolbar(const QImage& image) {
    QImage shown = image.convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = shown.pixel(0, shown.height() - 1);
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) == transparent)
                shown.setPixel(x, y, qRgb(240, 240, 240));
    return shown;
}

void writePreview(const QString& path, const std::vector<QImage>& images) {
    const int scale = 4, gap = 8;
    int width = 0, height = gap;
    for (const QImage& im : images) {
        width = std::max(width, im.width() * scale + 2 * gap);
        height += im.height() * scale + gap;
    }
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(200, 200, 200));
    QPainter p(&sheet);
    int y = gap;
    for (const QImage& im : images) {
        p.drawImage(QRect(gap, y, im.width() * scale, im.height() * scale), im);
        y += im.height() * scale + gap;
    }
    p.end();
    sheet.save(path);
}

} // namespace

int main(int argc, char** argv) {
    QString outDir = "res";
    QString preview;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == "--preview" && i + 1 < argc)
            preview = QString::fromLocal8Bit(argv[++i]);
        else if (!arg.startsWith("-"))
            outDir = arg;
        else {
            std::fprintf(stderr, "usage: resgen [OUTDIR] [--preview PNG]\n");
            return 2;
        }
    }

    const QImage pictures = drawToolbarPictures();
    const QImage normal = flatten(pictures, qRgb(0, 0, 0), asIs);
    const QImage disabled = flatten(pictures, qRgb(95, 95, 95), washedOut);
    const QImage stock = drawStockStrip();
    std::vector<QImage> icons;
    for (int size : {16, 32})
        icons.push_back(flatten(drawIcon(size), qRgb(0, 0, 0), asIs));
    std::vector<QImage> maskedIcons; // transparent colour turned into alpha for the .ico mask
    for (const QImage& icon : icons) {
        QImage masked = icon.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < masked.height(); ++y)
            for (int x = 0; x < masked.width(); ++x)
                if ((masked.pixel(x, y) & 0xFFFFFF) == 0)
                    masked.setPixel(x, y, qRgba(0, 0, 0, 0));
        maskedIcons.push_back(masked);
    }

    const bool ok =
        save(outDir + "/IDB_TOOLBAR_NORMAL.bmp", kurvon::EncodeBmp24(normal, kStyle)) &&
        save(outDir + "/IDB_TOOLBAR_DISABLED.bmp", kurvon::EncodeBmp24(disabled, kStyle)) &&
        save(outDir + "/IDR_MAINFRAME_toolbar.bmp", kurvon::EncodeBmp4(stock, kStyle)) &&
        save(outDir + "/icon16.bmp", kurvon::EncodeBmp24(icons[0], kStyle)) &&
        save(outDir + "/icon32.bmp", kurvon::EncodeBmp24(icons[1], kStyle)) &&
        save(outDir + "/IDR_MAINFRAME.ico", kurvon::EncodeIco(maskedIcons, kStyle));
    if (!ok)
        return 1;
    if (!drawIcon(64).save(outDir + "/kurvon.png") || !saveThemeIcons(outDir, drawIcon)) {
        std::fprintf(stderr, "resgen: cannot write the PNG icons into %s\n", qPrintable(outDir));
        return 1;
    }
    if (!preview.isEmpty())
        writePreview(preview, {normal, asOnToolbar(normal), disabled, asOnToolbar(disabled),
                               stock.convertToFormat(QImage::Format_RGB32), icons[0], icons[1],
                               asOnToolbar(icons[1]), drawIcon(64)});
    return 0;
}
