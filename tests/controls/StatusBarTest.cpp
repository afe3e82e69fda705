// The status bar: the progress bar over the message pane at every size, covering the prompts
// while it shows; its positions, the idle text, and the lock indicators.
#include "controls/CMainStatusBar.h"

#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace kurvon;

TEST(StatusBar, ProgressCoversTheMessagePaneAtEverySize) {
    QMainWindow window;
    auto* bar = new CMainStatusBar;
    window.setStatusBar(bar);
    window.setCentralWidget(new QWidget);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QProgressBar* progress = bar->Progress();
    for (const bool shown : {false, true}) {
        if (shown)
            bar->ShowProgress();
        for (const QSize& s : {QSize(900, 500), QSize(420, 300), QSize(1200, 700)}) {
            window.resize(s);
            QTest::qWait(10); // the window and the bar lay themselves out
            const QRect pane = bar->MessagePaneRect();
            const QLabel* caps = bar->IndicatorLabel(CMainStatusBar::kCapsIndicator);
            EXPECT_EQ(progress->geometry(), pane) << s.width();
            EXPECT_TRUE(pane.left() >= 0 && pane.right() < caps->geometry().left());
            EXPECT_GT(pane.width(), s.width() / 2);
            EXPECT_EQ(progress->isVisible(), shown);
        }
        // The prompts themselves show while the bar is hidden, and not while it shows.
        bar->showMessage(QStringLiteral("WWWWWWWW 打开一个现有文档"));
        const QImage first = bar->grab().toImage();
        bar->showMessage(QStringLiteral("清除已打开的数据文件 MMMMMMMMMMMM"));
        EXPECT_EQ(first == bar->grab().toImage(), shown);
    }
    bar->HideProgress();
    EXPECT_FALSE(progress->isVisible());
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
    const std::pair<std::optional<LockKeyState>, QStringList> states[] = {
        {LockKeyState{true, false, true}, {"大写", "", "滚动"}},
        {LockKeyState{false, true, false}, {"", "数字", ""}},
        {std::nullopt, {"", "", ""}},
    };
    for (const auto& [state, texts] : states) {
        bar.ShowLockState(state);
        for (int i = 0; i < 3; ++i) {
            const auto which = static_cast<CMainStatusBar::Indicator>(i);
            const QLabel* label = bar.IndicatorLabel(which);
            EXPECT_EQ(label->text(), texts[i]);
            EXPECT_GE(label->width(),
                      label->fontMetrics().horizontalAdvance(CMainStatusBar::IndicatorText(which)));
        }
    }
}
