// The main window after start-up: menus, tool bar, prompts, titles, layout, bars, and Qt's own
// texts in Chinese.
#include "AppTestSupport.h"

#include "app/CAboutDlg.h"
#include "app/QtTranslation.h"
#include "controls/CMainToolBar.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

namespace kurvon::test {
namespace {

// A menu bar or tool bar as text: "|" for separators.
QString Entries(const QList<QAction*>& actions, QString (QAction::*text)() const) {
    QStringList entries;
    for (QAction* action : actions)
        entries << (action->isSeparator() ? QStringLiteral("|") : (action->*text)());
    return entries.join(QLatin1Char(' '));
}

TEST(Shell, MenusToolBarPromptsTitlesLayoutAndBars) {
    RunningApp app;
    CMainFrame& frame = app.Frame();
    const QList<QAction*> popups = frame.menuBar()->actions();
    EXPECT_EQ(Entries(popups, &QAction::text),
              QStringLiteral("文件(&F) 动作(&A) 查看(&V) 循环(&C) 帮助(&H)"));
    const QString menus[] = {
        QStringLiteral("打开(&O)...\tCtrl+O 清除(&C)\tDel 跟随文件 | 退出(&X)"),
        QStringLiteral("后退(&P)\t← 前进(&N)\t→ | 放大(&O)\t+/↑ 缩小(&I)\t-/↓ 显示全部(&A)\tF1 | "
                       "保存图片(&S)\tCtrl+S"),
        QStringLiteral("工具栏(&T) 状态栏(&S) 数据点(&P) | 以记录号为横轴"),
        QStringLiteral("上一循环(&P)\tPgUp 下一循环(&N)\tPgDn | 通道角色(&R)... 效率取倒数(&I) | "
                       "循环表(&T) | 叠加循环(&O)... 取消叠加(&E) 横轴从循环起点算起(&S)"),
        QStringLiteral("关于版权(&A)...")};
    for (int m = 0; m < 5; ++m)
        EXPECT_EQ(Entries(popups[m]->menu()->actions(), &QAction::text), menus[m]);
    EXPECT_EQ(Entries(frame.ToolBar()->actions(), &QAction::toolTip),
              QStringLiteral("打开 | 后退 前进 | 放大 缩小 显示全部 | 显隐数据点 | 保存图片"));
    frame.Action(ID_OPEN)->showStatusText(&frame);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("打开一个现有文档"));

    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Dornvale V2.1 "));
    EXPECT_EQ(CAboutDlg(&frame).windowTitle(), QStringLiteral("电池检测曲线"));
    EXPECT_EQ(QSettings().organizationName(),
              QStringLiteral("Local AppWizard-Generated Applications"));
    EXPECT_EQ(frame.minimumSize(), QSize(800, 500));
    // The channel list covers the right strip down to one pixel below the view.
    frame.resize(1500, 640);
    QApplication::processEvents();
    const CKurvonView& view = app.View();
    EXPECT_EQ(view.ChannelList()->geometry(), QRect(view.width() - 300, 0, 300, view.height() + 1));

    // The bars show and hide with a check mark.
    const std::pair<QAction*, QWidget*> bars[] = {
        {frame.Action(ID_VIEW_TOOLBAR), frame.ToolBar()},
        {frame.Action(ID_VIEW_STATUS_BAR), frame.StatusBar()},
        {frame.Action(ID_VIEW_CYCLE_TABLE), frame.CycleTablePanel()}};
    for (const auto& [action, bar] : bars) {
        for (bool shown : {bar->isHidden(), !bar->isHidden()}) {
            action->trigger();
            EXPECT_EQ(action->isChecked(), shown);
            EXPECT_EQ(bar->isHidden(), !shown);
        }
    }
    // Hidden some other way, the mark follows when the menu opens.
    frame.ToolBar()->hide();
    emit frame.menuBar()->actions()[2]->menu()->aboutToShow();
    EXPECT_FALSE(frame.Action(ID_VIEW_TOOLBAR)->isChecked());

    frame.Action(ID_APP_EXIT)->trigger();
    EXPECT_FALSE(frame.isVisible());
}

// Each command's action reaches its own work: the frame runs the view's commands by id.
TEST(Shell, CommandsReachTheirWork) {
    QTemporaryDir dir;
    RunningApp app(WriteDataFile(QDir(dir.path()), "a.kvd", 2, 400));
    CKurvonView& view = app.View();
    ASSERT_TRUE(WaitForLoad(view));
    view.ChannelList()->SetChecked(1, true);
    view.OnTimer();
    CMainFrame& frame = app.Frame();
    const auto window = [&view] {
        return std::pair(view.State().firstRecord, view.State().lastRecord);
    };
    const auto run = [&frame](CommandId id) {
        ASSERT_TRUE(frame.Action(id)->isEnabled()) << id;
        frame.Action(id)->trigger();
    };
    ASSERT_EQ(window(), std::pair(0u, 399u));
    run(ID_ZOOM_IN);
    const auto zoomed = window();
    EXPECT_LT(zoomed.second - zoomed.first, 399u);
    run(ID_BACK); // later records
    const auto back = window();
    EXPECT_GT(back.first, zoomed.first);
    run(ID_FORWARD);
    EXPECT_LT(window().first, back.first);
    run(ID_ZOOM_OUT);
    EXPECT_GT(window().second - window().first, zoomed.second - zoomed.first);
    run(ID_ZOOM_IN);
    run(ID_SHOW_ALL);
    EXPECT_EQ(window(), std::pair(0u, 399u));

    const QString picture = QDir(dir.path()).filePath("p.bmp");
    app.script->pictureAnswers.push_back({picture, PictureFormat::Bmp});
    run(ID_SAVE_PICTURE);
    EXPECT_TRUE(QFileInfo::exists(picture));
    app.script->openAnswers.push_back(WriteDataFile(QDir(dir.path()), "b.kvd", 3, 50));
    run(ID_OPEN);
    ASSERT_TRUE(WaitForLoad(view));
    EXPECT_EQ(view.State().data.channelCount, 3u);
    run(ID_CLEAR);
    EXPECT_FALSE(view.State().dataLoaded);
    frame.Action(ID_DATA_POINTS)->trigger(); // never enabled, and nothing to do
    EXPECT_FALSE(frame.Action(ID_DATA_POINTS)->isEnabled());
}

TEST(QtTranslation, QtsOwnButtonsAndDialogsSpeakChinese) {
    const std::unique_ptr<QTranslator> translator = LoadQtChineseTranslation();
    if (!translator) {
        const QDir folder(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        ASSERT_FALSE(folder.exists(QStringLiteral("qtbase_zh_CN.qm")))
            << "the translation is installed but did not load";
        GTEST_SKIP() << "Qt's translations (qt6-translations-l10n) are not installed";
    }
    ASSERT_TRUE(QCoreApplication::installTranslator(translator.get()));
    for (const auto& [context, text, chinese] :
         {std::tuple{"QPlatformTheme", "Cancel", "取消"},
          std::tuple{"QFileDialog", "Save As", "另存为"},
          std::tuple{"QColorDialog", "Select Color", "选择颜色"}})
        EXPECT_EQ(QCoreApplication::translate(context, text), QString::fromUtf8(chinese)) << text;
    QCoreApplication::removeTranslator(translator.get());
}

} // namespace
} // namespace kurvon::test
