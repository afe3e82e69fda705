// The cycle overlay and the role submenu in the window: the 循环 menu asks for the cycles and
// says what is wrong with a choice, the chart shows the ramp's colours, navigation, Clear and a
// new file end the overlay; the channel list's submenu sets a row's role and unit.
#include "AppTestSupport.h"

#include "chart/CycleOverlay.h"

#include <QMenu>

namespace kurvon::test {
namespace {

// Four cycles by the current (charge 2 A, discharge -1 A), 8 records each.
QString Cycles(const QDir& dir) {
    std::string text = "cycles\r\nTime(s)\tVoltage\tCurrent\r\n";
    for (int r = 0; r < 32; ++r) {
        const int k = r % 8;
        text += std::to_string(r * 10) + "\t" + std::to_string(3.0 + 0.1 * (k < 4 ? k : 8 - k)) +
                "\t" + (k < 4 ? "2" : "-1") + "\r\n";
    }
    return WriteBytes(dir, "cycles.kvd", text);
}

QMenu* RoleMenu(QMenu* menu) {
    for (QAction* a : menu->actions())
        if (a->menu() && a->text() == QStringLiteral("通道角色"))
            return a->menu();
    return nullptr;
}

QAction* Item(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

bool Shows(const QImage& picture, QRgb colour) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width() - kListStripWidth; ++x)
            if (picture.pixel(x, y) == colour)
                return true;
    return false;
}

TEST(OverlayWindow, MenuAsksChartShowsRampAndNavigationClearEndIt) {
    QTemporaryDir tmp;
    RunningApp app(Cycles(QDir(tmp.path())));
    CKurvonView& view = app.View();
    CMainFrame& frame = app.Frame();
    ASSERT_TRUE(WaitForLoad(view));
    ASSERT_TRUE(WaitForCycles(view));
    ASSERT_TRUE(app.Activate());
    QAction* overlay = frame.Action(ID_OVERLAY_CYCLES);
    QAction* end = frame.Action(ID_END_OVERLAY);
    EXPECT_FALSE(overlay->isEnabled()); // no x channel yet
    view.ChannelList()->SetChecked(1, true);
    view.OnTimer();
    view.SetXChannel(0);
    ASSERT_TRUE(overlay->isEnabled());
    EXPECT_FALSE(end->isEnabled());

    // A faulty choice and one of cycles the file lacks are said, and asked again.
    app.script->choiceAnswers = {"1,,2", "9", "1, last"};
    overlay->trigger();
    EXPECT_EQ(app.script->notices,
              QStringList({QStringLiteral("两个逗号之间缺少循环"),
                           QStringLiteral("文件中没有所选的循环 (共 4 个循环)")}));
    EXPECT_EQ(app.script->choiceAskedWith, QStringList({QStringLiteral("1, 最后"), "1,,2", "9"}));
    ASSERT_TRUE(OverlayActive(view.State()));
    EXPECT_TRUE(end->isEnabled());
    const std::vector<OverlayCycle> drawn = OverlayCycles(view.State());
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[1].number, 4u);
    const QImage picture = view.grab().toImage();
    EXPECT_TRUE(Shows(picture, qRgb(0, 0, 200)));
    EXPECT_TRUE(Shows(picture, qRgb(200, 0, 0)));

    // Cancelling keeps the overlay; the option counts x from each cycle's start.
    overlay->trigger();
    EXPECT_EQ(app.script->choiceAskedWith.back(), QStringLiteral("1, last"));
    EXPECT_TRUE(OverlayActive(view.State()));
    frame.Action(ID_OVERLAY_RELATIVE)->trigger();
    EXPECT_TRUE(view.State().overlay.relative);
    EXPECT_EQ(OverlayCycles(view.State())[1].origin, 240.0f);

    // Page Down shows a cycle's records: the overlay ends. So do 取消叠加 and Clear.
    QTest::keyClick(&frame, Qt::Key_PageDown);
    EXPECT_FALSE(view.State().overlay.choice);
    EXPECT_FALSE(end->isEnabled());
    ASSERT_TRUE(view.ShowOverlay(std::get<CycleChoice>(ParseCycleChoice("every 2"))));
    end->trigger();
    EXPECT_FALSE(view.State().overlay.choice);
    ASSERT_TRUE(view.ShowOverlay(std::get<CycleChoice>(ParseCycleChoice("3"))));
    frame.Action(ID_CLEAR)->trigger();
    EXPECT_FALSE(view.State().overlay.choice);
    EXPECT_FALSE(overlay->isEnabled());
    EXPECT_TRUE(view.State().overlay.relative); // an option, kept
}

TEST(OverlayWindow, RoleSubmenuSetsTheRowsRoleAndUnit) {
    QTemporaryDir tmp;
    RunningApp app(Cycles(QDir(tmp.path())));
    CKurvonView& view = app.View();
    ASSERT_TRUE(WaitForLoad(view));
    ASSERT_TRUE(WaitForCycles(view));
    std::unique_ptr<QMenu> menu(view.ChannelMenu(2));
    QMenu* roles = RoleMenu(menu.get());
    ASSERT_NE(roles, nullptr);
    ASSERT_TRUE(roles->isEnabled());
    EXPECT_TRUE(Item(roles, QStringLiteral("电流"))->isChecked());
    EXPECT_FALSE(Item(roles, QStringLiteral("电压"))->isChecked());
    EXPECT_TRUE(Item(roles, QStringLiteral("A"))->isChecked());
    ASSERT_NE(Item(roles, QStringLiteral("mA")), nullptr);
    EXPECT_EQ(Item(roles, QStringLiteral("V")), nullptr);

    // The unit in mA: the currents are a thousand times smaller, the table is computed again.
    Item(roles, QStringLiteral("mA"))->trigger();
    EXPECT_EQ(view.Roles()[Role::Current].unit, Unit::mA);
    ASSERT_TRUE(WaitForCycles(view));
    EXPECT_EQ(view.State().cycles.spans.size(), 4u); // the cycles stay where they were

    // Unticked, the role has no channel and the cycles are gone; ticked on another row, that
    // row takes it with the unit its name gives.
    Item(roles, QStringLiteral("电流"))->trigger();
    EXPECT_FALSE(view.Roles()[Role::Current].channel);
    EXPECT_TRUE(view.State().cycles.spans.empty());
    std::unique_ptr<QMenu> time(view.ChannelMenu(0));
    Item(RoleMenu(time.get()), QStringLiteral("电流"))->trigger();
    EXPECT_EQ(view.Roles()[Role::Current].channel, 0u);
    EXPECT_EQ(view.Roles()[Role::Current].unit, Unit::A);
    EXPECT_TRUE(Item(RoleMenu(time.get()), QStringLiteral("时间"))->isChecked());
    ASSERT_TRUE(WaitForCycles(view));

    app.Frame().Action(ID_CLEAR)->trigger();
    std::unique_ptr<QMenu> cleared(view.ChannelMenu(0));
    EXPECT_FALSE(RoleMenu(cleared.get())->isEnabled());
}

} // namespace
} // namespace kurvon::test
