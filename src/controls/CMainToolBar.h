#pragma once
// The frame's tool bar: flat buttons with true-colour images cut from BMP strips, tooltips and
// status-bar prompts from the actions, movable to any edge and floatable, no gripper.

#include <QImage>
#include <QList>
#include <QToolBar>

namespace kurvon {

class ToolBarGripStyle;

class CMainToolBar : public QToolBar {
    Q_OBJECT

public:
    enum class ImageListKind { Normal, Hot, Disabled };

    explicit CMainToolBar(QWidget* parent = nullptr);

    // Adds the buttons in order, a null entry standing for a separator. Image k of the strips
    // belongs to the k-th action. The actions stay owned by the caller.
    void AddButtons(const QList<QAction*>& actionsWithNullForSeparator);

    // Normal, hot and disabled images from the bitmaps with these ids; a hot or disabled id of
    // 0 leaves that list alone. Stops at the first list that fails and returns false; lists
    // installed before that stay.
    bool SetTrueColorImageLists(int imageWidth, unsigned normalId, unsigned hotId,
                                unsigned disabledId);
    // One list from a bitmap id (see BitmapResourcePath) or from a BMP file. On failure the
    // buttons keep the images they had.
    bool SetTrueColorImageList(ImageListKind kind, unsigned bitmapId, int imageWidth);
    bool SetTrueColorImageListFromFile(ImageListKind kind, const QString& bmpPath, int imageWidth);

    // The Qt resource holding bitmap `bitmapId` (130, 132), or an empty string.
    static QString BitmapResourcePath(unsigned bitmapId);

    const QList<QAction*>& Buttons() const { return m_buttons; }

protected:
    bool event(QEvent* event) override;

private:
    void ApplyImages();
    QList<QImage>& ListOf(ImageListKind kind);

    QList<QAction*> m_buttons; // separators not included
    QList<QImage> m_normalImages;
    QList<QImage> m_hotImages;
    QList<QImage> m_disabledImages;
    ToolBarGripStyle* m_gripStyle;
};

} // namespace kurvon
