// Under a file-size limit the real program reports a failed write like any other: status 1,
// one line, the old target intact, no temporary left (not killed by SIGXFSZ).

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kurvon {
namespace {

TEST(FileSizeLimit, WritesPastTheLimitFailWithAMessage) {
    const QString program = QCoreApplication::applicationDirPath() + "/../src/app/kurvon";
    if (!QFileInfo(program).isExecutable())
        GTEST_SKIP() << "kurvon is not built beside the tests";
    QTemporaryDir dir;
    QByteArray text = "limit\r\na b\r\n";
    for (int r = 0; r < 3000; ++r)
        text += QByteArray::number(r) + ' ' + QByteArray::number(r % 7) + "\r\n";
    const QString data = dir.filePath(QStringLiteral("in.kvd"));
    QFile in(data);
    ASSERT_TRUE(in.open(QIODevice::WriteOnly));
    in.write(text);
    in.close();

    const QStringList commands[] = {
        {QStringLiteral("--render"), dir.filePath(QStringLiteral("old.bmp")), data,
         QStringLiteral("--size"), QStringLiteral("2000x1500")},
        {QStringLiteral("--export"), dir.filePath(QStringLiteral("old.csv")), data},
    };
    for (const QStringList& command : commands) {
        const QString target = command[1];
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("keep me");
        old.close();
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        // 10 blocks: far below either output.
        process.start(QStringLiteral("/bin/sh"),
                      QStringList{QStringLiteral("-c"),
                                  QStringLiteral("ulimit -f 10 && exec \"$0\" \"$@\""), program} +
                          command);
        ASSERT_TRUE(process.waitForFinished(120000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << command[0].toStdString();
        EXPECT_EQ(process.exitCode(), 1) << command[0].toStdString();
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_TRUE(err.contains(QStringLiteral("cannot write"))) << err.toStdString();
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray("keep me"));
        old.close();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3); // no temporary left behind
}

} // namespace
} // namespace kurvon
