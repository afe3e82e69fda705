#include "app/QtPrompts.h"

#include "app/AppTexts.h"
#include "app/CChannelRolesDlg.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace kurvon {

std::optional<QString> QtPrompts::AskOpenDataFile(QWidget* owner) {
    const QString path =
        QFileDialog::getOpenFileName(owner, QStringLiteral("打开蓄电池充放电数据文件"), QString(),
                                     QStringLiteral("数据文件(*.kvd)"));
    if (path.isNull())
        return std::nullopt;
    return path;
}

std::optional<PictureChoice> QtPrompts::AskPictureFile(QWidget* owner) {
    const QString bmp = QStringLiteral("BMP文件(*.bmp)");
    const QString png = QStringLiteral("PNG文件(*.png)");
    // The save kind asks before replacing an existing file; BMP, listed first, is the default.
    QString chosenFilter = bmp;
    const QString path =
        QFileDialog::getSaveFileName(owner, QStringLiteral("保存为图片"), QString(),
                                     bmp + QStringLiteral(";;") + png, &chosenFilter);
    if (path.isNull())
        return std::nullopt;
    return PictureChoice{path, chosenFilter == png ? PictureFormat::Png : PictureFormat::Bmp};
}

std::optional<QColor> QtPrompts::AskColor(QWidget* owner) {
    QColorDialog dialog(QColor(0, 0, 0), owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

void QtPrompts::ShowAppMessage(QWidget* owner, const QString& text) {
    // Application message boxes with only an OK button carry the exclamation icon.
    QMessageBox box(QMessageBox::Warning, ApplicationTitle(), text, QMessageBox::Ok, owner);
    box.exec();
}

void QtPrompts::ShowNotice(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("提示"), text, QMessageBox::Ok, owner);
    box.exec();
}

std::optional<ChannelRoles> QtPrompts::AskChannelRoles(QWidget* owner,
                                                       const std::vector<std::string>& names,
                                                       const ChannelRoles& current) {
    CChannelRolesDlg dialog(names, current, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Roles();
}

std::optional<QString> QtPrompts::AskCycleChoice(QWidget* owner, const QString& current) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(owner, QStringLiteral("叠加循环"),
                              QStringLiteral("要叠加的循环 (例如 1, 10, 100, 每100 或 1-5, 最后):"),
                              QLineEdit::Normal, current, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

} // namespace kurvon
