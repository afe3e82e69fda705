// Fault cases: odd files to load (a pipe, a device, a 5 GB sparse file, one cut short while it
// loads) on the command line and in the window, saves to places that cannot be written, a load
// under an address-space limit, and many closes during a load.
#include "AppTestSupport.h"

#include "app/AppTexts.h"
#include "app/CommandLine.h"
#include "controls/CColorListCtrl.h"
#include "controls/CMainStatusBar.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/stat.h>

namespace kurvon::test {
namespace {

// 5 GB of NUL bytes taking no disk space: one line far longer than any data file's.
QString SparseFile(const QDir& dir) {
    const QString path = dir.filePath(QStringLiteral("sparse.kvd"));
    std::filesystem::resize_file(WriteBytes(dir, QStringLiteral("sparse.kvd"), "").toStdString(),
                                 std::uintmax_t(5) << 30);
    return path;
}

QString Fifo(const QDir& dir) {
    const QString path = dir.filePath(QStringLiteral("pipe.kvd"));
    EXPECT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

// Each file on the command line, then in the window (a null message: nothing said).
TEST(FaultCases, OddFilesSayWhyWithoutHanging) {
    QTemporaryDir dir;
    const QDir folder(dir.path());
    RunningApp app;
    CKurvonView& view = app.View();
    view.OpenDataFile(WriteDataFile(folder, QStringLiteral("good.kvd"), 3, 100));
    ASSERT_TRUE(WaitForLoad(view));
    // About 40 MB: loads for long enough to be cut short once it has begun.
    std::string large = "large\r\na b c d\r\n";
    while (large.size() < (std::size_t(40) << 20))
        large += "1000.125 1001.125 1002.125 1003.125\r\n";
    const QString cut = WriteBytes(folder, QStringLiteral("cut.kvd"), large);
    const auto cutOnceStarted = [&] {
        QSignalSpy moved(app.Frame().StatusBar()->Progress(), &QProgressBar::valueChanged);
        moved.wait(20000);
        std::filesystem::resize_file(cut.toStdString(), 1000);
    };
    const struct {
        QString path;
        const char* says; // null: not on the command line
        QString message;
        std::function<void()> whileLoading;
    } cases[] = {
        {Fifo(folder), "not a regular file", msg::FileOpenFailed(), {}}, // would wait for a writer
        {QStringLiteral("/dev/null"), "not a regular file", msg::FileOpenFailed(), {}},
        {QStringLiteral("/proc/self/mem"), "is empty", QString(), {}},
        {SparseFile(folder), "line longer than 64 MB", msg::OutOfMemory(), {}},
        {cut, nullptr, msg::FileChangedWhileLoading(), cutOnceStarted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        if (c.says) {
            std::ostringstream out, err;
            EXPECT_EQ(RunInfoCommand(c.path.toStdString(), out, err), 1);
            const std::string message = err.str();
            EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
            EXPECT_NE(message.find(c.says), std::string::npos) << message;
        }
        app.script->appMessages.clear();
        view.OpenDataFile(c.path);
        if (c.whileLoading)
            c.whileLoading();
        ASSERT_TRUE(WaitForLoad(view));
        if (c.whileLoading && view.State().dataLoaded)
            GTEST_SKIP() << "the load ended before the file was cut";
        EXPECT_EQ(app.script->appMessages,
                  c.message.isNull() ? QStringList() : QStringList{c.message});
        EXPECT_FALSE(view.State().dataLoaded);
        EXPECT_FALSE(view.State().loading);
        EXPECT_TRUE(view.State().data.columns.empty());
        EXPECT_EQ(view.ChannelList()->RowCount(), 3); // the old rows stay
    }
}

TEST(FaultCases, HundredClosesDuringALoad) {
    QTemporaryDir dir;
    std::string large = "large\r\na b\r\n";
    while (large.size() < (std::size_t(8) << 20))
        large += "1.5 2.5\r\n";
    const QString path = WriteBytes(QDir(dir.path()), QStringLiteral("large.kvd"), large);
    for (int i = 0; i < 100; ++i) {
        RunningApp app;
        app.View().OpenDataFile(path);
        // Closed at once, or a little way into the load.
        for (int k = 0; k < i % 4; ++k)
            QTest::qWait(2);
        app.Frame().close();
        ASSERT_FALSE(app.View().LoadRunning()) << i;
    }
}

// The real program under a shell limit: status 1 and the system's reason, not a silent death
// (nor SIGXFSZ).
TEST(FaultCases, LimitsSayWhy) {
    const QString program = QCoreApplication::applicationDirPath() + "/../src/app/kurvon";
    if (!QFileInfo(program).isExecutable())
        GTEST_SKIP() << "kurvon is not built beside the tests";
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    const bool addressLimitWorks = false; // the sanitizers reserve more than any limit allows
#else
    const bool addressLimitWorks = true;
#endif
    // A 300 KB file whose short lines leave 1000 channels of zeros: a 400 MB table.
    QTemporaryDir dir;
    std::string text = "limit\r\n";
    for (int c = 0; c < 1000; ++c)
        text += "c ";
    text += "\r\n";
    for (int r = 0; r < 100000; ++r)
        text += "1\r\n";
    const QString data = WriteBytes(QDir(dir.path()), QStringLiteral("wide.kvd"), text);
    for (const char* name : {"a.bmp", "a.csv"})
        WriteBytes(QDir(dir.path()), QString::fromLatin1(name), "keep me");
    const struct {
        const char* limit;
        QStringList args;
        const char* says;
    } cases[] = {
        {"ulimit -v 200000", {QStringLiteral("--info"), data}, "not enough memory"},
        {"ulimit -f 10",
         {QStringLiteral("--render"), dir.filePath(QStringLiteral("a.bmp")), data,
          QStringLiteral("--size"), QStringLiteral("2000x1500")},
         "File too large"},
        {"ulimit -f 10",
         {QStringLiteral("--export"), dir.filePath(QStringLiteral("a.csv")), data},
         "File too large"},
    };
    for (const auto& c : cases) {
        if (!addressLimitWorks && QByteArray(c.limit).contains("-v"))
            continue;
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("/bin/sh"),
                      QStringList{QStringLiteral("-c"),
                                  QString::fromLatin1(c.limit) + " && exec \"$0\" \"$@\"",
                                  program} +
                          c.args);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << c.says;
        EXPECT_EQ(process.exitCode(), 1) << c.says;
        const QByteArray err = process.readAllStandardError();
        EXPECT_TRUE(err.contains(c.says)) << err.toStdString();
    }
    // The targets written over keep their old bytes; no temporary is left beside them.
    for (const char* name : {"a.bmp", "a.csv"}) {
        QFile old(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray("keep me")) << name;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

} // namespace
} // namespace kurvon::test
