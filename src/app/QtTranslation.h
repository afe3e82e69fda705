#pragma once
// Qt's own texts (dialog buttons, the file and colour dialogs, the overwrite question, tooltips)
// in Simplified Chinese, like the program's own.

#include <QTranslator>
#include <memory>

namespace kurvon {

// Qt's zh_CN translation from Qt's translations folder, ready to install; null when the
// translation files are not installed (Qt's texts then stay English).
std::unique_ptr<QTranslator> LoadQtChineseTranslation();

} // namespace kurvon
