#include "app/QtTranslation.h"

#include <QLibraryInfo>

namespace kurvon {

std::unique_ptr<QTranslator> LoadQtChineseTranslation() {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto translator = std::make_unique<QTranslator>();
    // qt_zh_CN gathers qtbase_zh_CN and the other modules'; some installs have only the latter.
    for (const char* name : {"qt_zh_CN", "qtbase_zh_CN"}) {
        if (translator->load(QLatin1String(name), folder))
            return translator;
    }
    return nullptr;
}

} // namespace kurvon
