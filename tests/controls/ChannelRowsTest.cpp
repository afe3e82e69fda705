// The channel list as the view uses it: columns, unticked rows, ticking, selection and the
// double-click signal.
#include "controls/CColorListCtrl.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace kurvon;

namespace {

QPoint CellCentre(CColorListCtrl& list, int row, int column) {
    const QRect r = list.visualItemRect(list.topLevelItem(row));
    const int x =
        list.header()->sectionViewportPosition(column) + list.header()->sectionSize(column) / 2;
    return QPoint(x, r.center().y());
}

} // namespace

TEST(ChannelRows, ColumnsAndNewRows) {
    CColorListCtrl list;
    ASSERT_EQ(list.columnCount(), 5);
    const char* headings[] = {"", "颜色", "名称", "最小值", "最大值"};
    const int widths[] = {20, 50, 60, 60, 60};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(list.headerItem()->text(c), QString::fromUtf8(headings[c])) << c;
        EXPECT_EQ(list.header()->sectionSize(c), widths[c]) << c;
    }

    list.InsertChannelRow(0, QStringLiteral("电压"), QStringLiteral("3.10"),
                          QStringLiteral("4.20"));
    list.InsertChannelRow(99, QStringLiteral("电流"), QStringLiteral("-1.00"),
                          QStringLiteral("1.00")); // past the end: appended
    list.InsertChannelRow(-3, QStringLiteral("温度"), QStringLiteral("20.00"),
                          QStringLiteral("31.50")); // before the start: first
    ASSERT_EQ(list.RowCount(), 3);
    const QStringList names = {QStringLiteral("温度"), QStringLiteral("电压"),
                               QStringLiteral("电流")};
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(list.topLevelItem(r)->text(2), names[r]) << r;
    const QTreeWidgetItem* row1 = list.topLevelItem(1);
    EXPECT_EQ(QStringList({row1->text(0), row1->text(1), row1->text(3), row1->text(4)}),
              QStringList({QString(), QString(), QStringLiteral("3.10"), QStringLiteral("4.20")}));
    for (int r = 0; r < 3; ++r)
        EXPECT_FALSE(list.IsChecked(r)) << r;
    EXPECT_FALSE(list.IsChecked(7)); // no such row
}

TEST(ChannelRows, UserTicksSelectsAndDoubleClicks) {
    CColorListCtrl list;
    list.resize(300, 200);
    for (int r = 0; r < 3; ++r)
        list.InsertChannelRow(r, QStringLiteral("ch%1").arg(r), QString(), QString());
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    EXPECT_EQ(list.SelectedRow(), -1);

    // A click on the box ticks it.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CellCentre(list, 1, 0));
    EXPECT_TRUE(list.IsChecked(1));

    // A click on the name selects the whole row; Space then ticks that row's box.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CellCentre(list, 2, 2));
    EXPECT_EQ(list.SelectedRow(), 2);
    EXPECT_FALSE(list.IsChecked(2));
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_TRUE(list.IsChecked(2));
    EXPECT_EQ(list.SelectedRow(), 2);

    QSignalSpy spy(&list, &CColorListCtrl::RowDoubleClicked);
    // The sequence a real double click delivers: press, release, double click, release.
    const QPoint swatch = CellCentre(list, 0, 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, swatch);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, swatch);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, swatch);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 0);
    EXPECT_EQ(list.SelectedRow(), 0);

    list.DeleteAllItems();
    EXPECT_EQ(list.SelectedRow(), -1);
}
