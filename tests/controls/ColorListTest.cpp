// The channel list: its columns, ticking and selecting by mouse, the colour precedence as
// painted, and colour entries following their rows through insertions and deletions.
#include "controls/CColorListCtrl.h"
#include "controls/ColorRefQt.h"

#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

using namespace kurvon;

namespace {

constexpr ColorRef kRed = MakeColorRef(220, 20, 30);
constexpr ColorRef kGreen = MakeColorRef(30, 200, 40);
constexpr ColorRef kBlue = MakeColorRef(20, 40, 210);
constexpr ColorRef kYellow = MakeColorRef(230, 220, 10);
const QColor kListBase(250, 240, 200);

struct List : CColorListCtrl {
    explicit List(int rows) {
        QPalette p = palette();
        p.setColor(QPalette::Base, kListBase);
        setPalette(p);
        setFocusPolicy(Qt::NoFocus); // no focus frame over the cells
        resize(300, 240);
        for (int r = 0; r < rows; ++r)
            InsertChannelRow(r, QStringLiteral("电压%1").arg(r), QStringLiteral("3.10"),
                             QStringLiteral("4.20"));
    }
    // A point of cell (row, column) `dx` from its right edge and just below its top.
    QPoint Cell(int row, int column, int dx) {
        return QPoint(header()->sectionViewportPosition(column) + header()->sectionSize(column) -
                          dx,
                      visualItemRect(topLevelItem(row)).top() + 1);
    }
    // The colour painted near the top right corner of a cell, clear of its text and check box.
    QColor Painted(int row, int column) {
        return grab().toImage().pixelColor(viewport()->mapTo(this, Cell(row, column, 2)));
    }
};

} // namespace

TEST(ColorList, ColumnsTicksAndSelection) {
    List list(3);
    const char* headings[] = {"", "颜色", "名称", "最小值", "最大值"};
    const int widths[] = {20, 50, 60, 60, 60};
    ASSERT_EQ(list.columnCount(), 5);
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(list.headerItem()->text(c), QString::fromUtf8(headings[c])) << c;
        EXPECT_EQ(list.header()->sectionSize(c), widths[c]) << c;
    }
    const QTreeWidgetItem* row = list.topLevelItem(1);
    EXPECT_EQ(QStringList({row->text(0), row->text(1), row->text(2), row->text(3), row->text(4)}),
              QStringList({"", "", "电压1", "3.10", "4.20"}));

    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    EXPECT_EQ(list.SelectedRow(), -1);
    const auto click = [&list](int row, int column) {
        const QPoint corner = list.Cell(row, column, list.header()->sectionSize(column) / 2);
        const int middle = list.visualItemRect(list.topLevelItem(row)).center().y();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(corner.x(), middle));
    };
    click(1, 0); // the box: ticked
    click(2, 2); // the name: the row selected, not ticked
    EXPECT_EQ(std::vector<bool>({list.IsChecked(0), list.IsChecked(1), list.IsChecked(2)}),
              std::vector<bool>({false, true, false}));
    EXPECT_EQ(list.SelectedRow(), 2);
}

TEST(ColorList, PaintedPrecedenceCellRowColumnBackground) {
    List list(4);
    list.SetColumnColor(kBlue, 2);
    list.SetRowColor(kYellow, 1);
    list.AddCellColor(kRed, 1, 2);
    list.AddCellColor(kGreen, 0, 1);
    list.AddCellColor(kBlue, 0, 1); // ignored: the first entry for the cell decides
    // The next cell of a row with a cell entry has none of its own: list background.
    const std::tuple<int, int, QColor> painted[] = {
        {0, 1, ToQColor(kGreen)}, {0, 3, kListBase},         {0, 2, ToQColor(kBlue)},
        {1, 2, ToQColor(kRed)},   {1, 3, ToQColor(kYellow)}, {1, 0, ToQColor(kYellow)},
        {2, 2, ToQColor(kBlue)},  {3, 4, kListBase}};
    for (const auto& [row, column, colour] : painted)
        EXPECT_EQ(list.Painted(row, column), colour) << row << ", " << column;

    // The background is asked for at every paint.
    QPalette pal = list.palette();
    pal.setColor(QPalette::Base, QColor(10, 20, 30));
    list.setPalette(pal);
    EXPECT_EQ(list.Painted(3, 4), QColor(10, 20, 30));
}

TEST(ColorList, ColoursFollowTheirRows) {
    List list(4);
    for (int r = 0; r < 4; ++r)
        list.AddCellColor(MakeColorRef(10 * r, 100, 200), r, 1);
    list.AddCellColor(kRed, 2, 3);
    list.SetRowColor(kYellow, 2);
    list.SetRowColor(kGreen, 0);
    list.SetColumnColor(kBlue, 4);

    // Insert at 2: rows 2 and 3 move to 3 and 4, rows 0 and 1 stay, columns never move; the
    // new row has no colour of its own.
    list.InsertChannelRow(2, QStringLiteral("new"), QString(), QString());
    const std::tuple<int, int, QColor> cells[] = {{1, 1, ToQColor(MakeColorRef(10, 100, 200))},
                                                  {3, 1, ToQColor(MakeColorRef(20, 100, 200))},
                                                  {4, 1, ToQColor(MakeColorRef(30, 100, 200))},
                                                  {3, 3, ToQColor(kRed)},
                                                  {3, 2, ToQColor(kYellow)},
                                                  {0, 2, ToQColor(kGreen)},
                                                  {2, 1, kListBase},
                                                  {2, 4, ToQColor(kBlue)}};
    for (const auto& [row, column, colour] : cells)
        EXPECT_EQ(list.Painted(row, column), colour) << row << ", " << column;

    // Delete row 3 (the old row 2): all its entries go, later rows move up.
    list.DeleteItem(3);
    EXPECT_EQ(list.CellBackground(3, 1), ToQColor(MakeColorRef(30, 100, 200)));
    EXPECT_EQ(list.CellColors().size(), 3u);
    EXPECT_EQ(list.RowColors().size(), 1u);

    // Delete all: all three tables are empty, the column table too, even without rows.
    list.DeleteAllItems();
    list.SetColumnColor(kBlue, 1);
    list.DeleteAllItems();
    EXPECT_TRUE(list.RowColors().empty() && list.ColumnColors().empty() &&
                list.CellColors().empty());
    EXPECT_EQ(list.SelectedRow(), -1);
}
