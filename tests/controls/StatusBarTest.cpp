// The status bar: the progress bar over the message pane at every size, the idle text, and
// the lock indicators where no lock state can be read.
#include "controls/CMainStatusBar.h"

#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace kurvon;

namespace {

struct Frame {
    QMainWindow window;
    CMainStatusBar* bar = new CMainStatusBar;
    Frame() {
        window.setStatusBar(bar);
        window.setCentralWidget(new QWidget);
        window.resize(640, 400);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void Resize(int w, int h) {
        window.resize(w, h);
        // Let the main window and the status bar lay themselves out.
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }
    QImage Shot() { return bar->grab().toImage(); }
};

} // namespace

TEST(StatusBar, ProgressFollowsMessagePaneAtEverySize) {
    Frame f;
    QProgressBar* progress = f.bar->Progress();
    EXPECT_FALSE(progress->isVisible()); // hidden at start
    const QSize sizes[] = {{900, 500}, {420, 300}, {1200, 700}};
    for (int round = 0; round < 2; ++round) {
        if (round == 1)
            f.bar->ShowProgress();
        for (const QSize& s : sizes) {
            f.Resize(s.width(), s.height());
            const QRect pane = f.bar->MessagePaneRect();
            const QRect caps = f.bar->IndicatorLabel(CMainStatusBar::kCapsIndicator)->geometry();
            EXPECT_EQ(progress->geometry(), pane) << s.width() << " round " << round;
            EXPECT_TRUE(pane.left() >= 0 && pane.right() < caps.left());
            EXPECT_GT(pane.width(), s.width() / 2);
            EXPECT_EQ(progress->isVisible(), round == 1);
        }
    }
    f.bar->HideProgress();
    EXPECT_FALSE(progress->isVisible());
}

TEST(StatusBar, VisibleProgressCoversPrompts) {
    Frame f;
    f.bar->SetProgressPosition(40);
    // The prompts themselves show while the bar is hidden, and not while it shows.
    for (bool covered : {false, true}) {
        if (covered)
            f.bar->ShowProgress();
        f.bar->showMessage(QStringLiteral("WWWWWWWW 打开一个现有文档"));
        const QImage withA = f.Shot();
        f.bar->showMessage(QStringLiteral("清除已打开的数据文件 MMMMMMMMMMMM"));
        EXPECT_EQ(withA == f.Shot(), covered);
    }
}

TEST(StatusBar, ProgressPositionsAndIdleText) {
    CMainStatusBar bar;
    QProgressBar* progress = bar.Progress();
    EXPECT_FALSE(progress->isTextVisible());
    for (auto [set, shown] : {std::pair(37, 37), std::pair(250, 100), std::pair(-4, 0)}) {
        bar.SetProgressPosition(set);
        EXPECT_EQ(progress->value(), shown) << set;
    }

    EXPECT_EQ(bar.currentMessage(), QStringLiteral(" "));
    bar.showMessage(QStringLiteral("放大视图"));
    bar.showMessage(QString()); // what the main window sends when a status tip ends
    EXPECT_EQ(bar.currentMessage(), QStringLiteral(" "));
}

TEST(StatusBar, LockIndicatorsKeepTheirWidth) {
    CMainStatusBar bar;
    EXPECT_EQ(bar.PollsLockKeys(), QueryLockKeys().has_value());
    const auto label = [&bar](int i) {
        return bar.IndicatorLabel(static_cast<CMainStatusBar::Indicator>(i));
    };
    int widths[3];
    for (int i = 0; i < 3; ++i) {
        widths[i] = label(i)->width();
        EXPECT_GE(widths[i],
                  label(i)->fontMetrics().horizontalAdvance(
                      CMainStatusBar::IndicatorText(static_cast<CMainStatusBar::Indicator>(i))));
    }
    const auto texts = [&label] {
        return QStringList{label(0)->text(), label(1)->text(), label(2)->text()};
    };
    bar.ShowLockState(LockKeyState{true, false, true});
    EXPECT_EQ(texts(), QStringList({QStringLiteral("大写"), QString(), QStringLiteral("滚动")}));
    bar.ShowLockState(LockKeyState{false, true, false});
    EXPECT_EQ(texts(), QStringList({QString(), QStringLiteral("数字"), QString()}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(label(i)->width(), widths[i]);
    bar.ShowLockState(std::nullopt);
    EXPECT_EQ(texts(), QStringList({QString(), QString(), QString()}));
}
