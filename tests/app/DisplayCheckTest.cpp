#include "app/DisplayCheck.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace kurvon {
namespace {

TEST(DisplayCheck, PlatformsThatCanAndCannotOpenAWindow) {
    const auto answers = [](const std::string& display) { return display == ":0"; };
    const struct {
        DisplaySetting setting;
        bool available;
    } cases[] = {
        {{"", "", "", ""}, false},   // nothing at all: xcb with no DISPLAY
        {{"", ":0", "", ""}, true},  // an X server that answers
        {{"", ":7", "", ""}, false}, // one that does not
        {{"xcb", ":7", "wayland-0", ""}, false},
        {{"", "", "wayland-0", "wayland"}, true}, // a Wayland session
        {{"", ":0", "", "wayland"}, true},        // Qt falls back to xcb
        {{"", "", "wayland-0", ""}, false},       // default xcb, no X
        {{"wayland", "", "", ""}, false},
        {{"wayland-egl", "", "wayland-1", ""}, true},
        {{"offscreen", "", "", ""}, true},
        {{"minimal:enable_fonts", "", "", ""}, true},
        {{"vnc", "", "", ""}, true},
        {{"xcb;offscreen", "", "", ""}, true}, // the second of the list works
        {{"xcb;wayland", ":7", "", ""}, false},
        {{";", ":0", "", ""}, true}, // no names: the default
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DisplayAvailable(c.setting, answers), c.available)
            << c.setting.platform << " DISPLAY=" << c.setting.xDisplay
            << " WAYLAND_DISPLAY=" << c.setting.waylandDisplay;
    }
}

// The real program, started without any display: one line and status 1, no abort.
TEST(DisplayCheck, WindowWithoutDisplaySaysSoInOneLine) {
    const QString program = QCoreApplication::applicationDirPath() + "/../src/app/kurvon";
    if (!QFileInfo(program).isExecutable())
        GTEST_SKIP() << "kurvon is not built beside the tests";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        environment.remove(QString::fromLatin1(name));
    for (const QStringList& arguments : {QStringList(), QStringList{QStringLiteral("a.kvd")}}) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        ASSERT_TRUE(process.waitForFinished(120000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 1);
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_EQ(err.count(QLatin1Char('\n')), 1) << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("no display found")) &&
                    err.contains(QStringLiteral("--info")) &&
                    err.contains(QStringLiteral("--render")))
            << err.toStdString();
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
    }
}

} // namespace
} // namespace kurvon
