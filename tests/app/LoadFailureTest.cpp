// Loads that fail and drops of every kind.
#include "AppTestSupport.h"

#include "app/Commands.h"
#include "controls/CColorListCtrl.h"
#include "controls/CMainStatusBar.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

namespace kurvon::test {
namespace {

struct FailureFixture : ::testing::Test {
    void SetUp() override {
        folder = QDir(dir.path());
        good = WriteDataFile(folder, "good.kvd", 4, 200);
        view().OpenDataFile(good);
        ASSERT_TRUE(WaitForLoad(view()));
        ASSERT_EQ(view().ChannelList()->RowCount(), 4);
    }
    CKurvonView& view() { return app.View(); }
    QProgressBar* progress() { return app.Frame().StatusBar()->Progress(); }

    QTemporaryDir dir;
    QDir folder;
    QString good;
    RunningApp app;
};

TEST_F(FailureFixture, EveryFailedLoadKeepsTheOldRowsAndSaysWhy) {
    // A million channels by 10000 records needs 40 GB of values, from a 2 MB file.
    std::string huge = "huge\r\n";
    for (int c = 0; c < 1000000; ++c)
        huge += "a ";
    huge += "\r\n";
    for (int r = 0; r < 10000; ++r)
        huge += "1\r\n";
    const struct {
        QString path;
        QString message; // null: nothing said
        int progress;
    } failures[] = {
        {folder.filePath("missing.kvd"), QStringLiteral("文件打开失败!"), 0},
        {WriteBytes(folder, "one.kvd", "header\r\na b\r\n1 2\r\n"), QString(), 15},
        {WriteBytes(folder, "huge.kvd", huge), QStringLiteral("数据文件太大，内存不足，无法打开!"),
         -1},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.path.toStdString());
        app.script->appMessages.clear();
        app.script->openAnswers.push_back(f.path);
        view().OnOpenDataFile();
        ASSERT_TRUE(WaitForLoad(view()));
        EXPECT_EQ(app.script->appMessages,
                  f.message.isNull() ? QStringList() : QStringList({f.message}));
        EXPECT_FALSE(view().State().dataLoaded);
        EXPECT_FALSE(view().State().loading);
        EXPECT_TRUE(view().State().data.columns.empty());
        EXPECT_EQ(view().State().data.channelCount, 0u);
        EXPECT_TRUE(progress()->isVisible());
        if (f.progress >= 0) {
            EXPECT_EQ(progress()->value(), f.progress);
        }
        EXPECT_EQ(view().ChannelList()->RowCount(), 4); // the old rows stay
        EXPECT_TRUE(app.Frame().Action(ID_OPEN)->isEnabled());
        EXPECT_FALSE(app.Frame().Action(ID_CLEAR)->isEnabled());
    }
    // The old rows name no channel: the poll finds none, a double click asks for no colour.
    view().ChannelList()->SetChecked(0, true);
    view().OnTimer();
    EXPECT_TRUE(view().State().visible.Empty());
    view().ChannelList()->topLevelItem(1)->setSelected(true);
    view().OnDblclkChannelList();
    EXPECT_EQ(app.script->colorAsked, 0);
}

TEST_F(FailureFixture, Drops) {
    // Three files: only the first is loaded.
    const QString second = WriteDataFile(folder, "second.kvd", 2, 100);
    const QString third = WriteDataFile(folder, "third.kvd", 3, 100);
    DropOn(view(), {second, third, good});
    EXPECT_TRUE(view().State().loading);
    DropOn(view(), {third}); // ignored while loading
    ASSERT_TRUE(WaitForLoad(view()));
    EXPECT_EQ(QString::fromStdString(view().State().currentPath), second);

    // A folder, and a path that does not exist: the folder notice, nothing else changes.
    DropOn(view(), {dir.path()});
    DropOn(view(), {folder.filePath("gone.kvd")});
    EXPECT_EQ(app.script->notices, QStringList({QStringLiteral("暂不支持文件夹拖放!"),
                                                QStringLiteral("暂不支持文件夹拖放!")}));
    EXPECT_EQ(view().ChannelList()->RowCount(), 2);

    // A wrong extension (case counts, trailing spaces do not).
    const QString upper = WriteDataFile(folder, "upper.KVD", 2, 100);
    DropOn(view(), {upper});
    EXPECT_EQ(app.script->appMessages, QStringList({QStringLiteral("不被支持的文件格式!")}));
    EXPECT_FALSE(view().State().loading);
}

TEST(Drops, WrongExtensionLeavesTheTimerAloneAFolderStartsIt) {
    QTemporaryDir dir;
    RunningApp fresh;
    DropOn(fresh.View(), {WriteBytes(QDir(dir.path()), "notes.txt", "x\r\n")});
    EXPECT_FALSE(fresh.View().TimerRunning());
    DropOn(fresh.View(), {dir.path()});
    EXPECT_TRUE(fresh.View().TimerRunning());
}

} // namespace
} // namespace kurvon::test
