// The x axis in the window: the channel list's context menu sets it and marks the row, the View
// menu's command, Clear and every new load return to record numbers.
#include "AppTestSupport.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace kurvon::test {
namespace {

QAction* AxisAction(QMenu* menu) {
    return menu->actions().value(0);
}

TEST(XAxisWindow, ContextMenuMarksTheRowAndRecordNumbersComeBack) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    RunningApp app(WriteDataFile(dir, "a.kvd", 4, 300));
    CKurvonView& view = app.View();
    ASSERT_TRUE(WaitForLoad(view));
    CColorListCtrl* list = view.ChannelList();
    QAction* recordAxis = app.Frame().Action(ID_RECORD_AXIS);
    EXPECT_FALSE(recordAxis->isEnabled());
    EXPECT_EQ(list->AxisRow(), -1);

    // A right click on row 2 opens the menu; its item makes channel 2 the x axis.
    const QRect row2 = list->visualItemRect(list->topLevelItem(2));
    QContextMenuEvent click(QContextMenuEvent::Mouse, row2.center(),
                            list->viewport()->mapToGlobal(row2.center()));
    QApplication::sendEvent(list->viewport(), &click);
    QMenu* shown = list->findChild<QMenu*>();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(AxisAction(shown)->text(), QStringLiteral("设为横轴"));
    EXPECT_TRUE(AxisAction(shown)->isEnabled());
    EXPECT_FALSE(AxisAction(shown)->isChecked());
    AxisAction(shown)->trigger();
    shown->close();
    EXPECT_EQ(view.State().xChannel, 2);
    EXPECT_EQ(list->AxisRow(), 2);
    EXPECT_TRUE(list->topLevelItem(2)->font(CColorListCtrl::kNameColumn).bold());
    EXPECT_EQ(list->topLevelItem(2)->text(CColorListCtrl::kColorColumn), QStringLiteral("横轴"));
    EXPECT_FALSE(list->IsChecked(2)); // the tick box keeps its meaning
    EXPECT_TRUE(recordAxis->isEnabled());
    QMenu* again = view.ChannelMenu(2);
    EXPECT_TRUE(AxisAction(again)->isChecked());
    delete again;

    // Another row moves the mark; the View menu's command returns to record numbers.
    view.SetXChannel(0);
    EXPECT_EQ(list->AxisRow(), 0);
    EXPECT_FALSE(list->topLevelItem(2)->font(CColorListCtrl::kNameColumn).bold());
    recordAxis->trigger();
    EXPECT_EQ(view.State().xChannel, -1);
    EXPECT_EQ(list->AxisRow(), -1);
    EXPECT_FALSE(recordAxis->isEnabled());

    // Clear returns to record numbers; without a data set the menu item is disabled.
    view.SetXChannel(1);
    app.Frame().Action(ID_CLEAR)->trigger();
    EXPECT_EQ(view.State().xChannel, -1);
    EXPECT_FALSE(recordAxis->isEnabled());
    QMenu* cleared = view.ChannelMenu(1);
    EXPECT_FALSE(AxisAction(cleared)->isEnabled());
    delete cleared;
    view.SetXChannel(1);
    EXPECT_EQ(view.State().xChannel, -1);

    // A new file, and a failed load that keeps the old rows, return to record numbers too.
    for (const QString& path : {WriteDataFile(dir, "b.kvd", 3, 50), dir.filePath("none.kvd")}) {
        if (!view.State().dataLoaded) {
            view.OpenDataFile(WriteDataFile(dir, "c.kvd", 3, 50));
            ASSERT_TRUE(WaitForLoad(view));
        }
        view.SetXChannel(1);
        ASSERT_EQ(list->AxisRow(), 1);
        view.OpenDataFile(path);
        ASSERT_TRUE(WaitForLoad(view));
        EXPECT_EQ(view.State().xChannel, -1);
        EXPECT_EQ(list->AxisRow(), -1);
        EXPECT_FALSE(recordAxis->isEnabled());
    }
}

} // namespace
} // namespace kurvon::test
