// Loads in the window: the start-up file with its progress, failures that keep the old rows,
// and closes during a load.
#include "AppTestSupport.h"

#include "app/AppTexts.h"

#include <QProgressBar>
#include <algorithm>

namespace kurvon::test {
namespace {

TEST(WindowLoad, StartUpFileThenFailuresThatSayWhyAndKeepTheOldRows) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    // The file given at start-up loads through the progress milestones; then the bar goes and
    // the poll's timer runs.
    RunningApp app(WriteDataFile(dir, "good.kvd", 4, 3000));
    CKurvonView& view = app.View();
    QProgressBar* progress = app.Frame().StatusBar()->Progress();
    QList<int> at;
    QObject::connect(progress, &QProgressBar::valueChanged, [&at](int v) { at.append(v); });
    ASSERT_TRUE(WaitForLoad(view));
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()) && at.contains(15) && at.contains(95) &&
                at.contains(99) && at.back() == 100);
    EXPECT_TRUE(progress->isHidden() && view.TimerRunning());
    // A million channels by 10000 records needs 40 GB of values, from a 2 MB file.
    const QString huge = WriteBytes(dir, "huge.kvd",
                                    "huge\r\n" + QByteArray("a ").repeated(1000000).toStdString() +
                                        "\r\n" + QByteArray("1\r\n").repeated(10000).toStdString());
    const QString openFailed = QStringLiteral("文件打开失败!");
    const QString noMemory = QStringLiteral("数据文件太大，内存不足，无法打开!");
    const struct {
        QString path;
        QString message; // null: nothing said
        int progress;    // where the bar stays; -1: not checked
    } cases[] = {
        {dir.filePath("missing.kvd"), openFailed, 0},
        {WriteBytes(dir, "one.kvd", "header\r\na b\r\n1 2\r\n"), QString(), 15},
        {Fifo(dir), openFailed, -1},
        {QStringLiteral("/proc/self/mem"), QString(), -1},
        {SparseFile(dir), noMemory, -1},
        {huge, noMemory, -1},
    };
    // Statuses no file here can give on demand.
    EXPECT_EQ(msg::ForLoadStatus(LoadStatus::LineTooLong), noMemory);
    EXPECT_EQ(msg::ForLoadStatus(LoadStatus::FileChanged),
              QStringLiteral("数据文件在读取过程中被修改，请重新打开!"));
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
        EXPECT_TRUE(c.progress < 0 || (progress->isVisible() && progress->value() == c.progress))
            << progress->value();
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
