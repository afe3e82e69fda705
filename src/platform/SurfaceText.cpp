#include "platform/SurfaceText.h"

#include <QFontMetrics>
#include <QPainter>

namespace kurvon {

QFont ChartFont() {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(12);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QSize TextCellSize(const QString& text) {
    const QFontMetrics metrics(ChartFont());
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

void DrawOpaqueText(QImage& image, int x, int y, const QString& text, QRgb textColor,
                    QRgb background) {
    const QFont font = ChartFont();
    const QFontMetrics metrics(font);
    const QRect cell(x, y, metrics.horizontalAdvance(text), metrics.height());
    if (!cell.intersects(image.rect()))
        return;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.fillRect(cell, QColor::fromRgb(background));
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(textColor));
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

} // namespace kurvon
