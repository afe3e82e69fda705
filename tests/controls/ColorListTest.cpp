// The channel list: its columns, ticking and selecting by mouse, the colours as painted.
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
    QRect Cell(int row, int column) const { // in the viewport
        const QRect r = visualItemRect(topLevelItem(row));
        return QRect(header()->sectionViewportPosition(column), r.top(),
                     header()->sectionSize(column), r.height());
    }
    // The colour painted near the top right corner of a cell, clear of its text and check box.
    QColor Painted(int row, int column) {
        const QPoint corner = Cell(row, column).topRight() + QPoint(-1, 1);
        return grab().toImage().pixelColor(viewport()->mapTo(this, corner));
    }
};

} // namespace

TEST(ColorList, ColumnsTicksAndSelection) {
    List list(3);
    const QStringList headings = {"", "颜色", "名称", "最小值", "最大值"};
    const QStringList row1 = {"", "", "电压1", "3.10", "4.20"};
    const int widths[] = {20, 50, 60, 60, 60};
    ASSERT_EQ(list.columnCount(), 5);
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(list.headerItem()->text(c), headings[c]) << c;
        EXPECT_EQ(list.topLevelItem(1)->text(c), row1[c]) << c;
        EXPECT_EQ(list.header()->sectionSize(c), widths[c]) << c;
    }

    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.Cell(1, 0).center()); // ticks
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.Cell(2, 2).center()); // selects
    EXPECT_EQ(std::vector<bool>({list.IsChecked(0), list.IsChecked(1), list.IsChecked(2)}),
              std::vector<bool>({false, true, false}));
    EXPECT_EQ(list.SelectedRow(), 2);
}

// Cell beats row beats column beats the list's background, and the first entry for a cell
// decides; the entries follow their rows through insertions and deletions, columns never move.
TEST(ColorList, PaintedPrecedenceAndColoursFollowingTheirRows) {
    List list(4);
    list.AddCellColor(kGreen, 0, 1);
    list.AddCellColor(kBlue, 0, 1);
    list.AddCellColor(kRed, 2, 3);
    list.AddCellColor(kRed, 3, 4);
    list.SetRowColor(kYellow, 2);
    list.SetColumnColor(kBlue, 4);
    const QColor green = ToQColor(kGreen), blue = ToQColor(kBlue), red = ToQColor(kRed),
                 yellow = ToQColor(kYellow);
    const auto expectPainted = [&list](std::initializer_list<std::tuple<int, int, QColor>> cells) {
        for (const auto& [row, column, colour] : cells)
            EXPECT_EQ(list.Painted(row, column), colour) << row << ", " << column;
    };
    expectPainted({{0, 1, green},
                   {0, 2, kListBase},
                   {0, 4, blue},
                   {2, 3, red},
                   {2, 4, yellow},
                   {2, 0, yellow},
                   {3, 4, red},
                   {1, 3, kListBase}});
    list.InsertChannelRow(2, QStringLiteral("new"), QString(), QString()); // no colour of its own
    expectPainted(
        {{0, 1, green}, {3, 3, red}, {3, 0, yellow}, {4, 4, red}, {2, 0, kListBase}, {2, 4, blue}});
    list.DeleteItem(3); // the old row 2 and all its entries
    expectPainted({{3, 4, red}, {3, 0, kListBase}});
    EXPECT_EQ(list.CellColors().size(), 3u);
    EXPECT_TRUE(list.RowColors().empty());

    // The background is asked for at every paint.
    QPalette pal = list.palette();
    pal.setColor(QPalette::Base, QColor(10, 20, 30));
    list.setPalette(pal);
    EXPECT_EQ(list.Painted(1, 3), QColor(10, 20, 30));

    // Delete all empties all three tables, the column table too, even without rows.
    list.DeleteAllItems();
    list.SetColumnColor(kBlue, 1);
    list.DeleteAllItems();
    EXPECT_TRUE(list.RowColors().empty() && list.ColumnColors().empty() &&
                list.CellColors().empty());
}
