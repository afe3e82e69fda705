#include "AppTestSupport.h"

#include "app/CommandLine.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QUrl>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>

namespace kurvon::test {

RunningApp::RunningApp(const QString& fileToLoad) {
    SetUpApplication();
    app = std::make_unique<CKurvonApp>();
    auto prompts = std::make_unique<ScriptedPrompts>();
    script = prompts.get();
    app->InitInstance(std::move(prompts), fileToLoad);
}

bool RunningApp::Activate() const {
    Frame().activateWindow();
    return QTest::qWaitForWindowActive(&Frame());
}

bool WaitForLoad(CKurvonView& view) {
    return !view.State().loading || QSignalSpy(&view, &CKurvonView::LoadFinished).wait(120000);
}

bool WaitForCycles(CKurvonView& view) {
    return !view.CyclesRunning() || QSignalSpy(&view, &CKurvonView::CyclesFinished).wait(60000);
}

QString WriteBytes(const QDir& dir, const QString& name, const std::string& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Fifo(const QDir& dir) {
    const QString path = dir.filePath(QStringLiteral("pipe.kvd"));
    EXPECT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

QString SparseFile(const QDir& dir) {
    const QString path = WriteBytes(dir, QStringLiteral("sparse.kvd"), "");
    std::filesystem::resize_file(path.toStdString(), std::uintmax_t(5) << 30);
    return path;
}

QString WriteDataFile(const QDir& dir, const QString& name, int channels, int records) {
    std::string text = "test rig export\r\n";
    for (int c = 0; c < channels; ++c)
        text += std::string(c ? " ch" : "ch") + std::to_string(c);
    text += "\r\n";
    // Each channel a differently scaled wave, so curves cross the whole plot.
    for (int r = 0; r < records; ++r) {
        for (int c = 0; c < channels; ++c)
            text += std::string(c ? "\t" : "") +
                    std::to_string((c + 1) * 10.0 * std::sin(r * 0.05 + c));
        text += "\r\n";
    }
    return WriteBytes(dir, name, text);
}

void DropOn(CKurvonView& view, const QStringList& paths, QPoint at) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    mime.setUrls(urls);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &drop);
}

Ran RunCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = kurvon::RunCommandLine(args, out, err).value_or(-1);
    return {code, out.str(), err.str()};
}

std::optional<Ran> RunProgram(const QString& limit, const QStringList& args, bool display) {
    const QString program = QCoreApplication::applicationDirPath() + "/../src/app/kurvon";
    if (!QFileInfo(program).isExecutable())
        return std::nullopt;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        environment.remove(QString::fromLatin1(name));
    if (display)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("/bin/sh"),
                  QStringList{QStringLiteral("-c"), limit + " exec \"$0\" \"$@\"", program} + args);
    Ran ran;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
        ran.code = process.exitCode();
    ran.out = process.readAllStandardOutput().toStdString();
    ran.err = process.readAllStandardError().toStdString();
    return ran;
}

} // namespace kurvon::test
