#pragma once
// The application object a drawing command needs. Text and pictures need a GUI application:
// when none runs, one is started on the offscreen platform (unless QT_QPA_PLATFORM names
// another); when one runs it is used if it is of the kind needed.

#include <QCoreApplication>

#include <memory>

namespace kurvon {

enum class ApplicationKind {
    Gui,     // QGuiApplication or more: painting text onto images
    Widgets, // QApplication: widgets, never shown on a screen
};

struct CommandApplication {
    std::unique_ptr<QCoreApplication> owned; // the one started here, if any; keep it alive
    bool usable = false; // false: the running application is not of the kind needed
};

CommandApplication StartCommandApplication(ApplicationKind kind);

} // namespace kurvon
