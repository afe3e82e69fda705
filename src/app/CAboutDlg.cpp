#include "app/CAboutDlg.h"

#include <QApplication>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScreen>

namespace kurvon {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("电池检测曲线"));
    setModal(true);
    setFixedSize(330, 80);

    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    icon->setGeometry(28, 20, 32, 32);

    auto* text = new QLabel(QStringLiteral("电池检测曲线 Dornvale V2.1"), this);
    text->setGeometry(72, 40, 220, 16);

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setGeometry(252, 5, 70, 24);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    m_pOpenAnimation = new QPropertyAnimation(this, "geometry", this);
    m_pOpenAnimation->setDuration(kOpenDurationMs);
    connect(m_pOpenAnimation, &QPropertyAnimation::finished, this,
            [this] { setFixedSize(size()); });
}

void CAboutDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centre on the owner (or the screen), then grow from the centre outwards.
    QRect full(QPoint(0, 0), size());
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect around = owner ? owner->frameGeometry() : screen()->availableGeometry();
    full.moveCenter(around.center());
    m_pOpenAnimation->stop();
    m_pOpenAnimation->setStartValue(QRect(full.center(), QSize(1, 1)));
    m_pOpenAnimation->setEndValue(full);
    setMinimumSize(1, 1);
    m_pOpenAnimation->start();
}

} // namespace kurvon
