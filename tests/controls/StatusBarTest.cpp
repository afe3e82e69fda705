// The status bar: the progress bar over the message pane at every size, the idle text, and
// the lock indicators where no lock state can be read.
#include "controls/CMainStatusBar.h"

#include <QGuiApplication>
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
    const QSize sizes[] = {{640, 400}, {900, 500}, {420, 300}, {1200, 700}, {500, 380}};
    for (int round = 0; round < 2; ++round) {
        if (round == 1)
            f.bar->ShowProgress();
        for (const QSize& s : sizes) {
            f.Resize(s.width(), s.height());
            const QRect pane = f.bar->MessagePaneRect();
            const QRect caps = f.bar->IndicatorLabel(CMainStatusBar::kCapsIndicator)->geometry();
            ASSERT_FALSE(pane.isEmpty()) << s.width();
            EXPECT_EQ(progress->geometry(), pane) << s.width() << " round " << round;
            EXPECT_LT(pane.right(), caps.left());
            EXPECT_GE(pane.left(), 0);
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
    EXPECT_EQ(progress->minimum(), 0);
    EXPECT_EQ(progress->maximum(), 100);
    EXPECT_FALSE(progress->isTextVisible());
    for (auto [set, shown] : {std::pair(37, 37), std::pair(250, 100), std::pair(-4, 0)}) {
        bar.SetProgressPosition(set);
        EXPECT_EQ(progress->value(), shown) << set;
    }

    EXPECT_EQ(bar.currentMessage(), QStringLiteral(" "));
    bar.showMessage(QStringLiteral("放大视图"));
    EXPECT_EQ(bar.currentMessage(), QStringLiteral("放大视图"));
    bar.clearMessage();
    EXPECT_EQ(bar.currentMessage(), QStringLiteral(" "));
    bar.showMessage(QString()); // what the main window sends when a status tip ends
    EXPECT_EQ(bar.currentMessage(), QStringLiteral(" "));
}

TEST(StatusBar, LockIndicatorsKeepTheirWidth) {
    CMainStatusBar bar;
    // Offscreen tells no lock state: no polling, every indicator blank.
    const bool offscreen = QGuiApplication::platformName() == QStringLiteral("offscreen");
    if (offscreen) {
        EXPECT_FALSE(QueryLockKeys().has_value());
        EXPECT_FALSE(bar.PollsLockKeys());
    }
    EXPECT_EQ(bar.PollsLockKeys(), QueryLockKeys().has_value());
    int widths[3];
    for (int i = 0; i < 3; ++i) {
        const QLabel* label = bar.IndicatorLabel(static_cast<CMainStatusBar::Indicator>(i));
        if (offscreen) {
            EXPECT_TRUE(label->text().isEmpty()) << i;
        }
        widths[i] = label->width();
        EXPECT_GE(widths[i], label->fontMetrics().horizontalAdvance(CMainStatusBar::IndicatorText(
                                 static_cast<CMainStatusBar::Indicator>(i))));
    }
    auto texts = [&bar] {
        QStringList t;
        for (int i = 0; i < 3; ++i)
            t << bar.IndicatorLabel(static_cast<CMainStatusBar::Indicator>(i))->text();
        return t;
    };
    bar.ShowLockState(LockKeyState{true, false, true});
    EXPECT_EQ(texts(), QStringList({QStringLiteral("大写"), QString(), QStringLiteral("滚动")}));
    bar.ShowLockState(LockKeyState{false, true, false});
    EXPECT_EQ(texts(), QStringList({QString(), QStringLiteral("数字"), QString()}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(bar.IndicatorLabel(static_cast<CMainStatusBar::Indicator>(i))->width(),
                  widths[i]);
    bar.ShowLockState(std::nullopt);
    EXPECT_EQ(texts(), QStringList({QString(), QString(), QString()}));
}
