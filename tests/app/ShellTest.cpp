// The main window as it stands after start-up: menu, keys, tool bar, bars, layout, About box.
#include "AppTestSupport.h"

#include "app/CAboutDlg.h"
#include "app/Commands.h"
#include "controls/CColorListCtrl.h"
#include "controls/CMainStatusBar.h"
#include "controls/CMainToolBar.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPropertyAnimation>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace kurvon::test {
namespace {

// A menu bar or tool bar as text: "|" for separators.
QString Entries(const QList<QAction*>& actions, QString (QAction::*text)() const) {
    QStringList entries;
    for (QAction* action : actions)
        entries << (action->isSeparator() ? QStringLiteral("|") : (action->*text)());
    return entries.join(QLatin1Char(' '));
}

TEST(Shell, MenusToolBarTitleAndLayout) {
    RunningApp app;
    CMainFrame& frame = app.Frame();
    const QList<QAction*> popups = frame.menuBar()->actions();
    EXPECT_EQ(Entries(popups, &QAction::text),
              QStringLiteral("文件(&F) 动作(&A) 查看(&V) 帮助(&H)"));
    const QString menus[] = {
        QStringLiteral("打开(&O)...\tCtrl+O 清除(&C)\tDel | 退出(&X)"),
        QStringLiteral("后退(&P)\t← 前进(&N)\t→ | 放大(&O)\t+/↑ 缩小(&I)\t-/↓ 显示全部(&A)\tF1 | "
                       "保存图片(&S)\tCtrl+S"),
        QStringLiteral("工具栏(&T) 状态栏(&S) 数据点(&P)"), QStringLiteral("关于版权(&A)...")};
    for (int m = 0; m < 4; ++m)
        EXPECT_EQ(Entries(popups[m]->menu()->actions(), &QAction::text), menus[m]);
    EXPECT_EQ(Entries(frame.ToolBar()->actions(), &QAction::toolTip),
              QStringLiteral("打开 | 后退 前进 | 放大 缩小 显示全部 | 显隐数据点 | 保存图片"));
    // The disabled look is its own image, not a greyed copy of the normal one.
    for (QAction* action : frame.ToolBar()->Buttons())
        EXPECT_NE(action->icon().pixmap(32, QIcon::Normal).toImage(),
                  action->icon().pixmap(32, QIcon::Disabled).toImage());
    // Nothing but the hint after the tab: Qt adds no key text of its own.
    for (const CommandInfo& info : AllCommands())
        EXPECT_FALSE(frame.Action(info.id)->isShortcutVisibleInContextMenu());
    frame.Action(ID_OPEN)->showStatusText(&frame);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("打开一个现有文档"));

    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Dornvale V2.1 "));
    EXPECT_EQ(QSettings().organizationName(),
              QStringLiteral("Local AppWizard-Generated Applications"));
    EXPECT_EQ(frame.minimumSize(), QSize(800, 500));
    // The channel list covers the right strip at every size.
    CKurvonView& view = app.View();
    EXPECT_TRUE(view.acceptDrops());
    for (const QSize size : {QSize(300, 200), QSize(1500, 640), QSize(900, 900)}) {
        frame.resize(size);
        QApplication::processEvents();
        EXPECT_EQ(view.ChannelList()->geometry(),
                  QRect(view.width() - 300, 0, 300, view.height() + 1));
        EXPECT_EQ(view.ChartRect(), QRect(0, 0, view.width() - 300, view.height()));
    }
}

TEST(Shell, BarsShowAndHideWithACheckMarkAndExitCloses) {
    RunningApp app;
    const std::pair<QAction*, QWidget*> bars[] = {
        {app.Frame().Action(ID_VIEW_TOOLBAR), app.Frame().ToolBar()},
        {app.Frame().Action(ID_VIEW_STATUS_BAR), app.Frame().StatusBar()}};
    for (const auto& [action, bar] : bars) {
        for (bool shown : {false, true}) {
            action->trigger();
            EXPECT_EQ(action->isChecked(), shown);
            EXPECT_EQ(bar->isHidden(), !shown);
        }
    }
    // Hidden some other way, the mark follows when the menu opens.
    app.Frame().ToolBar()->hide();
    emit app.Frame().menuBar()->actions()[2]->menu()->aboutToShow();
    EXPECT_FALSE(app.Frame().Action(ID_VIEW_TOOLBAR)->isChecked());

    app.Frame().Action(ID_APP_EXIT)->trigger();
    EXPECT_FALSE(app.Frame().isVisible());
}

// Keys reach their commands wherever the focus is; a typed "+" or "_" does not zoom, a
// disabled command does not fire.
TEST(Shell, KeysReachTheirCommandsFromEveryChild) {
    RunningApp app;
    CMainFrame& frame = app.Frame();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        CommandId id;
        int fires;
    } keys[] = {
        {Qt::Key_O, Qt::ControlModifier, ID_OPEN, 1},
        {Qt::Key_S, Qt::ControlModifier, ID_SAVE_PICTURE, 1},
        {Qt::Key_Delete, Qt::NoModifier, ID_CLEAR, 1},
        {Qt::Key_Left, Qt::NoModifier, ID_BACK, 1},
        {Qt::Key_Right, Qt::NoModifier, ID_FORWARD, 1},
        {Qt::Key_Up, Qt::NoModifier, ID_ZOOM_IN, 1},
        {Qt::Key_Equal, Qt::NoModifier, ID_ZOOM_IN, 1},
        {Qt::Key_Down, Qt::NoModifier, ID_ZOOM_OUT, 1},
        {Qt::Key_Minus, Qt::NoModifier, ID_ZOOM_OUT, 1},
        {Qt::Key_F1, Qt::NoModifier, ID_SHOW_ALL, 1},
        {Qt::Key_Plus, Qt::ShiftModifier, ID_ZOOM_IN, 0},
        {Qt::Key_Equal, Qt::ShiftModifier, ID_ZOOM_IN, 0},
        {Qt::Key_Underscore, Qt::ShiftModifier, ID_ZOOM_OUT, 0},
        {Qt::Key_Minus, Qt::ShiftModifier, ID_ZOOM_OUT, 0},
    };
    QWidget* targets[] = {&app.View(), app.View().ChannelList(), frame.ToolBar(),
                          frame.StatusBar()};
    app.script->openAnswers.assign(100, QString());
    app.script->pictureAnswers.assign(100, QString());
    for (QWidget* target : targets) {
        target->setFocus();
        for (const auto& key : keys) {
            QAction* action = frame.Action(key.id);
            action->setEnabled(true); // the handlers' own guards keep this harmless
            QSignalSpy triggered(action, &QAction::triggered);
            QTest::keyClick(target, key.key, key.modifiers);
            EXPECT_EQ(triggered.count(), key.fires)
                << target->metaObject()->className() << " key " << key.key;
        }
    }
    frame.Action(ID_BACK)->setEnabled(false);
    QSignalSpy back(frame.Action(ID_BACK), &QAction::triggered);
    QTest::keyClick(&app.View(), Qt::Key_Left);
    EXPECT_EQ(back.count(), 0);
}

TEST(Shell, AboutBoxGrowsFromItsCentreAndStartUpLoadsTheGivenFile) {
    QTemporaryDir dir;
    CKurvonApp app;
    app.InitInstance(std::make_unique<ScriptedPrompts>(std::make_shared<ScriptedPrompts::Script>()),
                     WriteDataFile(QDir(dir.path()), "start.kvd", 3, 100));
    ASSERT_TRUE(WaitForLoad(*app.MainFrame()->View()));
    EXPECT_EQ(app.MainFrame()->View()->State().data.channelCount, 3u);

    CAboutDlg* about = nullptr;
    QRect start, end;
    QString title;
    QTimer::singleShot(0, [&] {
        about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        if (!about)
            return;
        title = about->windowTitle();
        start = about->OpenAnimation()->startValue().toRect();
        end = about->OpenAnimation()->endValue().toRect();
        QTest::keyClick(about, Qt::Key_Escape);
        if (about->isVisible()) { // Esc did not close it
            about->reject();
            about = nullptr;
        }
    });
    app.MainFrame()->Action(ID_APP_ABOUT)->trigger();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(title, QStringLiteral("电池检测曲线"));
    EXPECT_EQ(start.center(), end.center());
    EXPECT_LE(start.width(), 1);
    EXPECT_EQ(end.size(), QSize(330, 80));
    app.MainFrame()->close();
}

} // namespace
} // namespace kurvon::test
