#pragma once
// Every modal interaction of the view goes through this interface, so tests can script the
// answers instead of showing dialogs.

#include "analysis/ChannelRoles.h"
#include "chart/PictureFile.h"

#include <QColor>
#include <QString>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace kurvon {

// A picture file name and the format of the filter it was chosen with.
struct PictureChoice {
    QString path;
    PictureFormat format = PictureFormat::Bmp;
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // Open dialog for a data file; nullopt when cancelled.
    virtual std::optional<QString> AskOpenDataFile(QWidget* owner) = 0;
    // Save dialog for the picture (BMP, the default, or PNG), confirming an overwrite; nullopt
    // when cancelled.
    virtual std::optional<PictureChoice> AskPictureFile(QWidget* owner) = 0;
    // Colour picker starting at black; nullopt when cancelled.
    virtual std::optional<QColor> AskColor(QWidget* owner) = 0;
    // Application message box: caption "Kurvon", OK button.
    virtual void ShowAppMessage(QWidget* owner, const QString& text) = 0;
    // Notice with caption "提示" and the exclamation icon.
    virtual void ShowNotice(QWidget* owner, const QString& text) = 0;
    // The four roles' channels and units, starting from `current`; names are UTF-8. Nothing
    // when cancelled.
    virtual std::optional<ChannelRoles> AskChannelRoles(QWidget* owner,
                                                        const std::vector<std::string>& names,
                                                        const ChannelRoles& current) = 0;
    // The cycles to overlay, as typed (CycleChoice.h), starting from `current`; nothing when
    // cancelled. Only the window asks.
    virtual std::optional<QString> AskCycleChoice(QWidget* owner, const QString& current) {
        (void)owner;
        (void)current;
        return std::nullopt;
    }
};

} // namespace kurvon
