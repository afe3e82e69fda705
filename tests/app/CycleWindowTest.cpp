// The cycles in the window: the panel after a load, stepping with Page Up / Page Down and by
// clicking a row, the status bar's cycle, sorting and copying, the roles dialog and the option.
#include "AppTestSupport.h"

#include "app/CChannelRolesDlg.h"
#include "app/CFadeChartWidget.h"
#include "controls/CycleTableModel.h"

#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>

namespace kurvon::test {
namespace {

// Four cycles by the current (charge 2 A, discharge -1 A), lengths 6, 7, 8, 9 records.
QString FourCycles(const QDir& dir, const QString& name = QStringLiteral("four.kvd")) {
    std::string text = "cycles\r\nTime(s)\tVoltage\tCurrent\r\n";
    int record = 0;
    for (int c = 0; c < 4; ++c) {
        const int charge = 2 + c / 2, discharge = 3 + (c + 1) / 2;
        for (int k = 0; k < charge + discharge + 1; ++k, ++record) {
            const int amps = k < charge ? 2 : k < charge + discharge ? -1 : 0;
            text += std::to_string(record * 10) + "\t" + std::to_string(3.5 + 0.01 * k) + "\t" +
                    std::to_string(amps) + "\r\n";
        }
    }
    return WriteBytes(dir, name, text);
}

std::pair<std::uint32_t, std::uint32_t> Window(const CKurvonView& view) {
    return {view.State().firstRecord, view.State().lastRecord};
}

TEST(CycleWindow, PanelStepsStatusSortCopyRolesAndOption) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    RunningApp app(FourCycles(dir));
    CKurvonView& view = app.View();
    CMainFrame& frame = app.Frame();
    ASSERT_TRUE(WaitForLoad(view));
    ASSERT_TRUE(WaitForCycles(view));
    ASSERT_TRUE(app.Activate());
    CCycleTablePanel* panel = frame.CycleTablePanel();
    CycleTableModel* model = panel->Model();
    QLabel* status = frame.StatusBar()->CycleLabel();
    ASSERT_EQ(model->rowCount(), 4);
    EXPECT_EQ(panel->Note()->text(),
              QStringLiteral("未找到循环通道，按电流划分循环（循环 → 通道角色）"));
    EXPECT_EQ(model->Text(1, 1) + " " + model->Text(1, 2), "6 12");
    EXPECT_TRUE(status->isHidden());
    // The fade page draws the capacities in blue.
    auto* fade = qobject_cast<CFadeChartWidget*>(panel->Pages()->widget(1));
    ASSERT_TRUE(fade);
    EXPECT_EQ(panel->Pages()->tabText(1), QStringLiteral("容量衰减"));
    fade->resize(400, 200);
    const QImage picture = fade->Picture();
    // Cycle 4's, the largest, ends the curve at the top right of the frame (340, 24).
    bool topRight = false;
    for (int x = 336; x <= 341; ++x)
        for (int y = 23; y <= 26; ++y)
            topRight = topRight || picture.pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_TRUE(topRight);

    // Page Down from the whole file shows cycle 1, then 2; Page Up goes back; at cycle 1 Page Up
    // is disabled.
    QTest::keyClick(&frame, Qt::Key_PageDown);
    EXPECT_EQ(Window(view), std::make_pair(0u, 5u));
    EXPECT_EQ(status->text(), QStringLiteral("循环 1 / 4"));
    EXPECT_TRUE(status->isVisible());
    QTest::keyClick(&frame, Qt::Key_PageDown);
    EXPECT_EQ(Window(view), std::make_pair(6u, 12u));
    EXPECT_EQ(status->text(), QStringLiteral("循环 2 / 4"));
    EXPECT_EQ(panel->Table()->currentIndex().row(), 1);
    QTest::keyClick(&frame, Qt::Key_PageUp);
    EXPECT_EQ(Window(view), std::make_pair(0u, 5u));
    EXPECT_FALSE(frame.Action(ID_PREVIOUS_CYCLE)->isEnabled());
    EXPECT_TRUE(frame.Action(ID_NEXT_CYCLE)->isEnabled());
    // Another change of the window shows no cycle; the next step starts from its first record.
    view.EditState([](ViewState& s) { s.firstRecord = 15, s.lastRecord = 30; });
    EXPECT_TRUE(status->isHidden());
    frame.Action(ID_NEXT_CYCLE)->trigger();
    EXPECT_EQ(Window(view), std::make_pair(13u, 20u));

    // A click on a row of the table sorted by discharge capacity, largest first.
    frame.Action(ID_VIEW_CYCLE_TABLE)->trigger();
    ASSERT_TRUE(panel->isVisible());
    panel->Table()->sortByColumn(5, Qt::DescendingOrder);
    EXPECT_EQ(model->Text(0, 0), "4");
    const QRect row1 = panel->Table()->visualRect(model->index(1, 0));
    QTest::mouseClick(panel->Table()->viewport(), Qt::LeftButton, {}, row1.center());
    EXPECT_EQ(Window(view), std::make_pair(6u, 12u)); // cycle 2, before 3 of the same capacity
    EXPECT_EQ(status->text(), QStringLiteral("循环 2 / 4"));
    // Copied: the headings and the selected row, or every row when none is selected.
    panel->CopyToClipboard();
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    ASSERT_EQ(lines.size(), 3); // and the empty piece after the last line
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("循环\t首记录\t末记录\t时长(s)\t充电容量(Ah)")));
    EXPECT_TRUE(lines[1].startsWith("2\t6\t12\t60\t")) << lines[1].toStdString();
    panel->Table()->clearSelection();
    EXPECT_EQ(panel->CopyText().count('\n'), 5);

    // The roles dialog: no current (nor cycle) channel leaves no table and says why.
    ASSERT_TRUE(frame.Action(ID_CHANNEL_ROLES)->isEnabled());
    ChannelRoles none = view.Roles();
    none[Role::Current] = {};
    app.script->roleAnswers = {none};
    frame.Action(ID_CHANNEL_ROLES)->trigger();
    ASSERT_TRUE(app.script->rolesAskedWith);
    EXPECT_EQ(app.script->rolesAskedWith->first,
              (std::vector<std::string>{"Time(s)", "Voltage", "Current"}));
    EXPECT_EQ(app.script->rolesAskedWith->second[Role::Current].channel, 2u);
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(panel->Note()->text().startsWith(QStringLiteral("未找到循环通道和电流通道")));
    EXPECT_FALSE(frame.Action(ID_NEXT_CYCLE)->isEnabled());
    // The current in mA: a thousandth of the capacity. A cancelled dialog changes nothing.
    ChannelRoles milli = view.Roles();
    milli[Role::Current] = {2u, Unit::mA};
    app.script->roleAnswers = {milli};
    frame.Action(ID_CHANNEL_ROLES)->trigger();
    frame.Action(ID_CHANNEL_ROLES)->trigger();
    ASSERT_TRUE(WaitForCycles(view));
    EXPECT_EQ(view.Roles(), milli);
    ASSERT_EQ(model->rowCount(), 4);
    // Cycle 1: 2 A for a pair, then half of 2 A for the pair into the discharge, 10 s each.
    EXPECT_NEAR(model->Table().cycles[0].chargeAh, 30 / 3600.0 / 1000, 1e-12);
    // The inverse efficiency: charge over discharge.
    frame.Action(ID_INVERSE_EFFICIENCY)->trigger();
    ASSERT_TRUE(WaitForCycles(view));
    const CycleFigures& first = model->Table().cycles[0];
    EXPECT_NEAR(first.coulombicEfficiencyPct, 100 * first.chargeAh / first.dischargeAh, 1e-9);
    frame.Action(ID_INVERSE_EFFICIENCY)->trigger();

    // Another file: the roles are read from its names again; Clear leaves no cycles.
    app.script->openAnswers = {FourCycles(dir, "again.kvd")};
    view.OnOpenDataFile();
    ASSERT_TRUE(WaitForLoad(view));
    ASSERT_TRUE(WaitForCycles(view));
    EXPECT_EQ(view.Roles()[Role::Current].unit, Unit::A);
    EXPECT_EQ(model->rowCount(), 4);
    view.OnClear();
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_FALSE(frame.Action(ID_NEXT_CYCLE)->isEnabled() ||
                 frame.Action(ID_CHANNEL_ROLES)->isEnabled());
}

TEST(CycleWindow, RolesDialogFollowsTheChosenChannelsUnit) {
    CChannelRolesDlg dialog(
        {"Test (Sec)", "电流(mA)", "Volts", "时间(h)"},
        {{{{std::nullopt, Unit::None}, {1u, Unit::mA}, {2u, Unit::V}, {0u, Unit::s}}}});
    EXPECT_EQ(dialog.ChannelBox(Role::Cycle)->currentIndex(), 0);
    EXPECT_EQ(dialog.UnitBox(Role::Current)->currentText(), "mA");
    dialog.ChannelBox(Role::Time)->setCurrentIndex(4); // 时间(h)
    EXPECT_EQ(dialog.UnitBox(Role::Time)->currentText(), "h");
    dialog.ChannelBox(Role::Current)->setCurrentIndex(3); // Volts: no current unit, the default
    EXPECT_EQ(dialog.UnitBox(Role::Current)->currentText(), "A");
    const ChannelRoles roles = dialog.Roles();
    EXPECT_EQ(roles[Role::Time], (RoleChoice{3u, Unit::h}));
    EXPECT_EQ(roles[Role::Current], (RoleChoice{2u, Unit::A}));
    EXPECT_FALSE(roles[Role::Cycle].channel);
}

} // namespace
} // namespace kurvon::test
