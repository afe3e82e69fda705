#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <gtest/gtest.h>

namespace kurvon {
namespace {

TEST(QtTranslation, QtsOwnButtonsAndDialogsSpeakChinese) {
    const std::unique_ptr<QTranslator> translator = LoadQtChineseTranslation();
    if (!translator) {
        const QDir folder(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        ASSERT_FALSE(folder.exists(QStringLiteral("qtbase_zh_CN.qm")))
            << "the translation is installed but did not load";
        GTEST_SKIP() << "Qt's translations (qt6-translations-l10n) are not installed";
    }
    ASSERT_TRUE(QCoreApplication::installTranslator(translator.get()));
    for (const auto& [context, text, chinese] :
         {std::tuple{"QPlatformTheme", "Cancel", "取消"},
          std::tuple{"QFileDialog", "Save As", "另存为"},
          std::tuple{"QColorDialog", "Select Color", "选择颜色"}})
        EXPECT_EQ(QCoreApplication::translate(context, text), QString::fromUtf8(chinese)) << text;
    QCoreApplication::removeTranslator(translator.get());
}

} // namespace
} // namespace kurvon
