// Loads in the window: the start-up file with its progress, failures that keep the old rows,
// and closes during a load.
#include "AppTestSupport.h"

#include <QProgressBar>
#include <QSignalSpy>

namespace kurvon::test {
namespace {

TEST(WindowLoad, StartUpFileThenFailuresThatSayWhyAndKeepTheOldRows) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    // The file given at start-up loads; the progress bar goes, the poll's timer runs.
    RunningApp app(WriteDataFile(dir, "good.kvd", 4, 200));
    CKurvonView& view = app.View();
    QProgressBar* progress = app.Frame().StatusBar()->Progress();
    ASSERT_TRUE(WaitForLoad(view));
    EXPECT_TRUE(progress->isHidden());
    EXPECT_TRUE(view.TimerRunning());
    const QString openFailed = QStringLiteral("文件打开失败!");
    const struct {
        QString path;
        QString message; // null: nothing said
        int progress;    // where the bar stays; -1: not checked
    } cases[] = {
        {dir.filePath("missing.kvd"), openFailed, 0},
        {WriteBytes(dir, "one.kvd", "header\r\na b\r\n1 2\r\n"), QString(), 15},
        {Fifo(dir), openFailed, -1},
        {QStringLiteral("/proc/self/mem"), QString(), -1},
        {SparseFile(dir), QStringLiteral("数据文件太大，内存不足，无法打开!"), -1},
    };
    CColorListCtrl* list = view.ChannelList();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        app.script->appMessages.clear();
        app.script->openAnswers = {c.path};
        view.OnOpenDataFile();
        ASSERT_TRUE(WaitForLoad(view));
        EXPECT_EQ(app.script->appMessages,
                  c.message.isNull() ? QStringList() : QStringList{c.message});
        EXPECT_FALSE(view.State().dataLoaded || view.State().loading);
        EXPECT_TRUE(view.State().data.columns.empty());
        EXPECT_EQ(view.State().data.channelCount, 0u);
        if (c.progress >= 0) {
            EXPECT_TRUE(progress->isVisible());
            EXPECT_EQ(progress->value(), c.progress);
        }
        EXPECT_TRUE(app.Frame().Action(ID_OPEN)->isEnabled());
        EXPECT_FALSE(app.Frame().Action(ID_CLEAR)->isEnabled());
        // The old rows stay, but the poll finds no channel and a double click asks no colour.
        ASSERT_EQ(list->RowCount(), 4);
        list->SetChecked(0, !list->IsChecked(0));
        view.OnTimer();
        EXPECT_TRUE(view.State().visible.Empty());
        list->topLevelItem(1)->setSelected(true);
        view.OnDblclkChannelList();
        EXPECT_EQ(app.script->colorAsked, 0);
    }
}

TEST(WindowLoad, HundredClosesDuringALoad) {
    QTemporaryDir dir;
    std::string large = "large\r\na b\r\n";
    while (large.size() < (std::size_t(8) << 20))
        large += "1.5 2.5\r\n";
    const QString path = WriteBytes(QDir(dir.path()), "large.kvd", large);
    for (int i = 0; i < 100; ++i) {
        RunningApp app;
        app.View().OpenDataFile(path);
        for (int k = 0; k < i % 4; ++k) // closed at once, or a little way into the load
            QTest::qWait(2);
        app.Frame().close();
        ASSERT_FALSE(app.View().LoadRunning()) << i;
    }
}

} // namespace
} // namespace kurvon::test
