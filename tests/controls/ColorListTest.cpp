// The channel list's colour tables: lookups, precedence as painted, and how entries follow
// their rows through insertions and deletions.
#include "controls/CColorListCtrl.h"
#include "controls/ColorRefQt.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace kurvon;

namespace {

constexpr ColorRef kRed = MakeColorRef(220, 20, 30);
constexpr ColorRef kGreen = MakeColorRef(30, 200, 40);
constexpr ColorRef kBlue = MakeColorRef(20, 40, 210);
constexpr ColorRef kYellow = MakeColorRef(230, 220, 10);
const QColor kListBase(250, 240, 200);

void FillRows(CColorListCtrl& list, int rows) {
    for (int r = 0; r < rows; ++r)
        list.InsertChannelRow(r, QStringLiteral("ch%1").arg(r), QStringLiteral("0.00"),
                              QStringLiteral("1.00"));
}

// The colour painted near the top right corner of cell (row, column), clear of its text and
// check box, taken from a grab of the widget.
QColor PaintedCell(CColorListCtrl& list, const QImage& shot, int row, int column) {
    QTreeWidgetItem* item = list.topLevelItem(row);
    const QRect cell = list.visualItemRect(item);
    const int x =
        list.header()->sectionViewportPosition(column) + list.header()->sectionSize(column) - 2;
    const QPoint inViewport(x, cell.top() + 1);
    const QPoint inList = list.viewport()->mapTo(&list, inViewport);
    return shot.pixelColor(inList);
}

struct PaintedList {
    CColorListCtrl list;
    PaintedList() {
        QPalette p = list.palette();
        p.setColor(QPalette::Base, kListBase);
        list.setPalette(p);
        list.resize(300, 240);
        list.setFocusPolicy(Qt::NoFocus); // no focus frame over the cells
    }
    QImage Shot() { return list.grab().toImage(); }
};

} // namespace

TEST(ColorList, PaintedPrecedenceCellRowColumnBackground) {
    PaintedList p;
    CColorListCtrl& list = p.list;
    FillRows(list, 4);
    list.SetColumnColor(kBlue, 2);
    list.SetRowColor(kYellow, 1);
    list.AddCellColor(kRed, 1, 2); // cell beats row and column
    list.AddCellColor(kGreen, 0, 1);
    list.AddCellColor(kBlue, 0, 1); // ignored: the first entry for the cell decides
    const QImage shot = p.Shot();

    // Cell beats row beats column beats background; the first entry for a cell decides; the
    // next cell of a row with a cell entry has no entry of its own: list background, not green.
    const std::tuple<int, int, QColor> painted[] = {
        {0, 1, ToQColor(kGreen)}, {0, 3, kListBase},         {0, 2, ToQColor(kBlue)},
        {1, 2, ToQColor(kRed)},   {1, 3, ToQColor(kYellow)}, {1, 0, ToQColor(kYellow)},
        {2, 2, ToQColor(kBlue)},  {3, 4, kListBase}};
    for (const auto& [row, column, colour] : painted)
        EXPECT_EQ(PaintedCell(list, shot, row, column), colour) << row << ", " << column;

    // The background is asked for at every paint.
    QPalette pal = list.palette();
    pal.setColor(QPalette::Base, QColor(10, 20, 30));
    list.setPalette(pal);
    EXPECT_EQ(PaintedCell(list, p.Shot(), 3, 4), QColor(10, 20, 30));
}

TEST(ColorList, ColoursFollowTheirRows) {
    PaintedList p;
    CColorListCtrl& list = p.list;
    FillRows(list, 4);
    for (int r = 0; r < 4; ++r)
        list.AddCellColor(MakeColorRef(10 * r, 100, 200), r, 1);
    list.AddCellColor(kRed, 2, 3);
    list.SetRowColor(kYellow, 2);
    list.SetRowColor(kGreen, 0);
    list.SetColumnColor(kBlue, 4);

    // Insert at 2: rows 2 and 3 move to 3 and 4, rows 0 and 1 stay, columns never move; the
    // new row has no colour of its own.
    list.InsertChannelRow(2, QStringLiteral("new"), QString(), QString());
    const auto cellIs = [&list](int row, int column, QColor colour) {
        EXPECT_EQ(list.CellBackground(row, column), colour) << row << ", " << column;
    };
    cellIs(1, 1, ToQColor(MakeColorRef(10, 100, 200)));
    cellIs(3, 1, ToQColor(MakeColorRef(20, 100, 200)));
    cellIs(4, 1, ToQColor(MakeColorRef(30, 100, 200)));
    cellIs(3, 3, ToQColor(kRed));
    cellIs(3, 2, ToQColor(kYellow));
    cellIs(0, 2, ToQColor(kGreen));
    const QImage shot = p.Shot();
    EXPECT_EQ(PaintedCell(list, shot, 2, 1), kListBase);
    EXPECT_EQ(PaintedCell(list, shot, 2, 4), ToQColor(kBlue));

    // Delete row 3 (the old row 2): all its entries go, later rows move up.
    list.DeleteItem(3);
    cellIs(3, 1, ToQColor(MakeColorRef(30, 100, 200)));
    EXPECT_EQ(list.CellColors().size(), 3u);
    EXPECT_EQ(list.RowColors().size(), 1u);

    // Delete all: all three tables are empty, the column table too, even without rows.
    list.DeleteAllItems();
    list.SetColumnColor(kBlue, 1);
    list.DeleteAllItems();
    EXPECT_TRUE(list.RowColors().empty() && list.ColumnColors().empty() &&
                list.CellColors().empty());
}
