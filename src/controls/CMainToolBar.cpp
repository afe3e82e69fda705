#include "controls/CMainToolBar.h"

#include "controls/ImageStrip.h"
#include "controls/ToolBarGripStyle.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QPixmap>

namespace kurvon {

namespace {
constexpr int kImageSize = 32;
}

CMainToolBar::CMainToolBar(QWidget* parent) : QToolBar(parent), m_gripStyle(new ToolBarGripStyle) {
    setObjectName(QStringLiteral("CMainToolBar"));
    m_gripStyle->setParent(this);
    setStyle(m_gripStyle);
    setMovable(true);
    setFloatable(true);
    setAllowedAreas(Qt::AllToolBarAreas);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(kImageSize, kImageSize));
}

void CMainToolBar::AddButtons(const QList<QAction*>& actionsWithNullForSeparator) {
    for (QAction* action : actionsWithNullForSeparator) {
        if (!action) {
            addSeparator();
            continue;
        }
        addAction(action);
        m_buttons.append(action);
    }
    ApplyImages();
}

bool CMainToolBar::SetTrueColorImageLists(int imageWidth, unsigned normalId, unsigned hotId,
                                          unsigned disabledId) {
    if (!SetTrueColorImageList(ImageListKind::Normal, normalId, imageWidth))
        return false;
    if (hotId != 0 && !SetTrueColorImageList(ImageListKind::Hot, hotId, imageWidth))
        return false;
    if (disabledId != 0 && !SetTrueColorImageList(ImageListKind::Disabled, disabledId, imageWidth))
        return false;
    return true;
}

bool CMainToolBar::SetTrueColorImageList(ImageListKind kind, unsigned bitmapId, int imageWidth) {
    const QString path = BitmapResourcePath(bitmapId);
    return !path.isEmpty() && SetTrueColorImageListFromFile(kind, path, imageWidth);
}

bool CMainToolBar::SetTrueColorImageListFromFile(ImageListKind kind, const QString& bmpPath,
                                                 int imageWidth) {
    std::optional<QList<QImage>> images = LoadImageStrip(bmpPath, imageWidth);
    if (!images)
        return false;
    if (kind == ImageListKind::Normal)
        setIconSize(images->first().size());
    ListOf(kind) = std::move(*images);
    ApplyImages();
    return true;
}

QString CMainToolBar::BitmapResourcePath(unsigned bitmapId) {
    switch (bitmapId) {
    case 130:
        return QStringLiteral(":/res/IDB_TOOLBAR_DISABLED.bmp");
    case 132:
        return QStringLiteral(":/res/IDB_TOOLBAR_NORMAL.bmp");
    default:
        return {};
    }
}

bool CMainToolBar::event(QEvent* event) {
    const bool handled = QToolBar::event(event);
    // The whole bar answers as the drag handle; keep the ordinary pointer over it anyway.
    if (event->type() == QEvent::HoverMove || event->type() == QEvent::HoverEnter)
        unsetCursor();
    return handled;
}

void CMainToolBar::ApplyImages() {
    // Until a list is installed the actions keep whatever icons they came with.
    if (m_normalImages.isEmpty() && m_hotImages.isEmpty() && m_disabledImages.isEmpty())
        return;
    for (qsizetype k = 0; k < m_buttons.size(); ++k) {
        QIcon icon;
        if (k < m_normalImages.size())
            icon.addPixmap(QPixmap::fromImage(m_normalImages[k]), QIcon::Normal);
        if (k < m_hotImages.size())
            icon.addPixmap(QPixmap::fromImage(m_hotImages[k]), QIcon::Active);
        // A disabled button shows its own image, not a greyed copy of the normal one.
        if (k < m_disabledImages.size())
            icon.addPixmap(QPixmap::fromImage(m_disabledImages[k]), QIcon::Disabled);
        QAction* action = m_buttons[k];
        action->setIcon(icon);
        // The images belong to the tool bar; menus sharing the action stay without them.
        action->setIconVisibleInMenu(false);
    }
}

QList<QImage>& CMainToolBar::ListOf(ImageListKind kind) {
    switch (kind) {
    case ImageListKind::Hot:
        return m_hotImages;
    case ImageListKind::Disabled:
        return m_disabledImages;
    case ImageListKind::Normal:
        break;
    }
    return m_normalImages;
}

} // namespace kurvon
