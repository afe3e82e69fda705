#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>

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
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kurvon"), QStringLiteral("x"),
                    QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As"), QStringLiteral("另存为"));
    EXPECT_EQ(QCoreApplication::translate("QColorDialog", "Select Color"),
              QStringLiteral("选择颜色"));
    QCoreApplication::removeTranslator(translator.get());
}

} // namespace
} // namespace kurvon
