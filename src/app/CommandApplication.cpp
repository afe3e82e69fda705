#include "app/CommandApplication.h"

#include "platform/HeadlessPlatform.h"

#include <QApplication>
#include <QGuiApplication>

namespace kurvon {

CommandApplication StartCommandApplication(ApplicationKind kind) {
    CommandApplication result;
    if (QCoreApplication* running = QCoreApplication::instance()) {
        result.usable = kind == ApplicationKind::Widgets
                            ? qobject_cast<QApplication*>(running) != nullptr
                            : qobject_cast<QGuiApplication*>(running) != nullptr;
        return result;
    }
    ChooseHeadlessPlatform();
    // Qt keeps references to argc and argv for the application's lifetime.
    static int argc = 1;
    static char name[] = "kurvon";
    static char* argv[] = {name, nullptr};
    if (kind == ApplicationKind::Widgets)
        result.owned = std::make_unique<QApplication>(argc, argv);
    else
        result.owned = std::make_unique<QGuiApplication>(argc, argv);
    result.usable = true;
    return result;
}

} // namespace kurvon
