#pragma once
// Every modal interaction of the view goes through this interface, so tests can script the
// answers instead of showing dialogs.

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace kurvon {

class Prompts {
public:
    virtual ~Prompts() = default;

    // Open dialog for a data file; nullopt when cancelled.
    virtual std::optional<QString> AskOpenDataFile(QWidget* owner) = 0;
    // Save dialog for the picture, confirming an overwrite; nullopt when cancelled.
    virtual std::optional<QString> AskPictureFile(QWidget* owner) = 0;
    // Colour picker starting at black; nullopt when cancelled.
    virtual std::optional<QColor> AskColor(QWidget* owner) = 0;
    // Application message box: caption "Kurvon", OK button.
    virtual void ShowAppMessage(QWidget* owner, const QString& text) = 0;
    // Notice with caption "提示" and the exclamation icon.
    virtual void ShowNotice(QWidget* owner, const QString& text) = 0;
};

} // namespace kurvon
