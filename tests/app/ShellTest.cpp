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
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <array>
#include <gtest/gtest.h>

namespace kurvon::test {
namespace {

QStringList MenuEntries(QMenu* menu) {
    QStringList entries;
    for (QAction* action : menu->actions())
        entries << (action->isSeparator() ? QStringLiteral("---") : action->text());
    return entries;
}

TEST(Shell, MenuHasFourPopupsWithTheirItemsAndHints) {
    RunningApp app;
    const QList<QAction*> popups = app.Frame().menuBar()->actions();
    ASSERT_EQ(popups.size(), 4);
    EXPECT_EQ(popups[0]->text(), QStringLiteral("文件(&F)"));
    EXPECT_EQ(popups[1]->text(), QStringLiteral("动作(&A)"));
    EXPECT_EQ(popups[2]->text(), QStringLiteral("查看(&V)"));
    EXPECT_EQ(popups[3]->text(), QStringLiteral("帮助(&H)"));

    EXPECT_EQ(MenuEntries(popups[0]->menu()),
              QStringList({QStringLiteral("打开(&O)...\tCtrl+O"), QStringLiteral("清除(&C)\tDel"),
                           QStringLiteral("---"), QStringLiteral("退出(&X)")}));
    EXPECT_EQ(MenuEntries(popups[1]->menu()),
              QStringList({QStringLiteral("后退(&P)\t←"), QStringLiteral("前进(&N)\t→"),
                           QStringLiteral("---"), QStringLiteral("放大(&O)\t+/↑"),
                           QStringLiteral("缩小(&I)\t-/↓"), QStringLiteral("显示全部(&A)\tF1"),
                           QStringLiteral("---"), QStringLiteral("保存图片(&S)\tCtrl+S")}));
    EXPECT_EQ(MenuEntries(popups[2]->menu()),
              QStringList({QStringLiteral("工具栏(&T)"), QStringLiteral("状态栏(&S)"),
                           QStringLiteral("数据点(&P)")}));
    EXPECT_EQ(MenuEntries(popups[3]->menu()), QStringList({QStringLiteral("关于版权(&A)...")}));

    // Prompts and tooltips; the prompt reaches the status bar.
    QAction* open = app.Frame().Action(ID_OPEN);
    EXPECT_EQ(open->statusTip(), QStringLiteral("打开一个现有文档"));
    EXPECT_EQ(open->toolTip(), QStringLiteral("打开"));
    EXPECT_EQ(app.Frame().Action(ID_APP_ABOUT)->statusTip(),
              QStringLiteral("显示程序信息，版本号和版权"));
    EXPECT_EQ(app.Frame().Action(ID_DATA_POINTS)->toolTip(), QStringLiteral("显隐数据点"));
    open->showStatusText(&app.Frame());
    EXPECT_EQ(app.Frame().statusBar()->currentMessage(), QStringLiteral("打开一个现有文档"));

    // Nothing but the hint after the tab: Qt adds no key text of its own.
    for (const CommandInfo& info : AllCommands())
        EXPECT_FALSE(app.Frame().Action(info.id)->isShortcutVisibleInContextMenu());
}

TEST(Shell, TitleSizeAndSettings) {
    RunningApp app;
    EXPECT_EQ(app.Frame().windowTitle(), QStringLiteral("Dornvale V2.1 "));
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Kurvon"));
    EXPECT_EQ(QSettings().organizationName(),
              QStringLiteral("Local AppWizard-Generated Applications"));
    EXPECT_TRUE(app.Frame().isVisible());

    app.Frame().resize(300, 200);
    EXPECT_GE(app.Frame().width(), 800);
    EXPECT_GE(app.Frame().height(), 500);
    EXPECT_EQ(app.Frame().minimumSize(), QSize(800, 500));
}

TEST(Shell, ChannelListCoversTheRightStripAtEverySize) {
    RunningApp app;
    CKurvonView& view = app.View();
    EXPECT_TRUE(view.ChannelList()->isVisible());
    EXPECT_TRUE(view.acceptDrops());
    EXPECT_TRUE(view.hasMouseTracking());
    EXPECT_EQ(view.StatusBar(), app.Frame().StatusBar());
    for (const QSize size :
         {QSize(800, 500), QSize(1024, 768), QSize(1500, 640), QSize(900, 900)}) {
        app.Frame().resize(size);
        QApplication::processEvents();
        const QRect list = view.ChannelList()->geometry();
        EXPECT_EQ(list, QRect(view.width() - 300, 0, 300, view.height() + 1)) << size.width();
        EXPECT_EQ(view.ChartRect(), QRect(0, 0, view.width() - 300, view.height()));
    }
}

TEST(Shell, ToolBarButtonsInOrderWithImages) {
    RunningApp app;
    CMainToolBar* bar = app.Frame().ToolBar();
    QStringList layout;
    for (QAction* action : bar->actions())
        layout << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
    EXPECT_EQ(layout.join(' '),
              QStringLiteral("打开 | 后退 前进 | 放大 缩小 显示全部 | 显隐数据点 | 保存图片"));
    for (QAction* action : bar->Buttons()) {
        EXPECT_FALSE(action->icon().isNull()) << action->toolTip().toStdString();
        // The disabled look is its own image, not a greyed copy of the normal one.
        const QImage normal = action->icon().pixmap(32, QIcon::Normal).toImage();
        const QImage disabled = action->icon().pixmap(32, QIcon::Disabled).toImage();
        EXPECT_NE(normal, disabled);
    }
}

TEST(Shell, BarsShowAndHideWithACheckMarkAndExitCloses) {
    RunningApp app;
    const std::pair<QAction*, QWidget*> bars[] = {
        {app.Frame().Action(ID_VIEW_TOOLBAR), app.Frame().ToolBar()},
        {app.Frame().Action(ID_VIEW_STATUS_BAR), app.Frame().StatusBar()}};
    for (const auto& [action, bar] : bars) {
        EXPECT_TRUE(action->isChecked());
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

// Keys reach their commands wherever the focus is; a typed "+" does not zoom.
TEST(Shell, KeysReachTheirCommandsFromEveryChild) {
    RunningApp app;
    CMainFrame& frame = app.Frame();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));

    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        CommandId id;
    };
    const Key keys[] = {
        {Qt::Key_O, Qt::ControlModifier, ID_OPEN},
        {Qt::Key_S, Qt::ControlModifier, ID_SAVE_PICTURE},
        {Qt::Key_Delete, Qt::NoModifier, ID_CLEAR},
        {Qt::Key_Left, Qt::NoModifier, ID_BACK},
        {Qt::Key_Right, Qt::NoModifier, ID_FORWARD},
        {Qt::Key_Up, Qt::NoModifier, ID_ZOOM_IN},
        {Qt::Key_Equal, Qt::NoModifier, ID_ZOOM_IN},
        {Qt::Key_Down, Qt::NoModifier, ID_ZOOM_OUT},
        {Qt::Key_Minus, Qt::NoModifier, ID_ZOOM_OUT},
        {Qt::Key_F1, Qt::NoModifier, ID_SHOW_ALL},
    };
    QWidget* targets[] = {&app.View(), app.View().ChannelList(), frame.ToolBar(),
                          frame.StatusBar()};
    app.script->openAnswers.assign(100, QString());
    app.script->pictureAnswers.assign(100, QString());

    for (QWidget* target : targets) {
        target->setFocus();
        for (const Key& key : keys) {
            QAction* action = frame.Action(key.id);
            action->setEnabled(true); // the handlers' own guards keep this harmless
            QSignalSpy triggered(action, &QAction::triggered);
            QTest::keyClick(target, key.key, key.modifiers);
            EXPECT_EQ(triggered.count(), 1)
                << target->metaObject()->className() << " key " << key.key;
        }
        // Shift with the +/= key types "+", with the -/_ key "_": neither zooms.
        const std::pair<CommandId, std::array<Qt::Key, 2>> typed[] = {
            {ID_ZOOM_IN, {Qt::Key_Plus, Qt::Key_Equal}},
            {ID_ZOOM_OUT, {Qt::Key_Underscore, Qt::Key_Minus}}};
        for (const auto& [id, shifted] : typed) {
            frame.Action(id)->setEnabled(true);
            QSignalSpy zoomed(frame.Action(id), &QAction::triggered);
            for (Qt::Key key : shifted)
                QTest::keyClick(target, key, Qt::ShiftModifier);
            EXPECT_EQ(zoomed.count(), 0) << target->metaObject()->className() << " " << id;
        }
    }

    // A disabled command does not fire from its key.
    QAction* back = frame.Action(ID_BACK);
    back->setEnabled(false);
    QSignalSpy backSpy(back, &QAction::triggered);
    QTest::keyClick(&app.View(), Qt::Key_Left);
    EXPECT_EQ(backSpy.count(), 0);
}

TEST(Shell, AboutBoxGrowsFromItsCentre) {
    RunningApp app;
    CAboutDlg dialog(&app.Frame());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("电池检测曲线"));
    EXPECT_TRUE(dialog.isModal());
    dialog.show();
    QPropertyAnimation* animation = dialog.OpenAnimation();
    EXPECT_EQ(animation->duration(), 300);
    const QRect start = animation->startValue().toRect();
    const QRect end = animation->endValue().toRect();
    EXPECT_EQ(start.center(), end.center());
    EXPECT_LE(start.width(), 1);
    EXPECT_LE(start.height(), 1);
    EXPECT_EQ(end.size(), QSize(330, 80));
    // Esc closes it.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());

    // The menu item opens it modally; OK closes it.
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        seen = about != nullptr;
        if (about)
            about->accept();
    });
    app.Frame().Action(ID_APP_ABOUT)->trigger();
    EXPECT_TRUE(seen);
}

TEST(Shell, StartedWithAFileLoadsIt) {
    QTemporaryDir dir;
    const QString path = WriteDataFile(QDir(dir.path()), "start.kvd", 3, 100);
    auto script = std::make_shared<ScriptedPrompts::Script>();
    CKurvonApp app;
    app.InitInstance(std::make_unique<ScriptedPrompts>(script), path);
    CKurvonView& view = *app.MainFrame()->View();
    ASSERT_TRUE(WaitForLoad(view));
    EXPECT_TRUE(view.State().dataLoaded);
    EXPECT_EQ(view.ChannelList()->RowCount(), 3);
    EXPECT_TRUE(view.TimerRunning());
    app.MainFrame()->close();
}

} // namespace
} // namespace kurvon::test
