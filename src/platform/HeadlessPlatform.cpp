#include "platform/HeadlessPlatform.h"

#include <QByteArray>
#include <QtGlobal>

#ifdef _WIN32
#include <QDir>
#include <QString>
#include <windows.h>
#endif

namespace kurvon {

void ChooseHeadlessPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) {
        wchar_t folder[MAX_PATH];
        const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            const QString fonts = QDir::fromNativeSeparators(
                                      QString::fromWCharArray(folder, static_cast<int>(length))) +
                                  QStringLiteral("/Fonts");
            qputenv("QT_QPA_FONTDIR", fonts.toLocal8Bit());
        }
    }
#endif
}

} // namespace kurvon
