#pragma once
// A report-style list whose rows, columns and single cells can carry their own background
// colour. The colours stay with their rows while rows are inserted and deleted. Set up for
// the channel list: a check box, a colour swatch, name, minimum and maximum per row.

#include "controls/ColorEntry.h"

#include <QTreeWidget>

namespace kurvon {

class CColorListCtrl : public QTreeWidget {
    Q_OBJECT

public:
    // Kinds for FindColorEntry.
    enum ColorKind { kRowColor = 0, kColumnColor = 1, kCellColor = 2 };
    enum Column {
        kCheckColumn = 0,
        kColorColumn = 1,
        kNameColumn = 2,
        kMinColumn = 3,
        kMaxColumn = 4,
        kColumnCount = 5
    };

    explicit CColorListCtrl(QWidget* parent = nullptr);
    ~CColorListCtrl() override;

    // Colour entries are appended without looking for an existing one: for a key with several
    // entries the first one decides until ClearColors.
    void AddCellColor(ColorRef colour, int row, int column);
    void SetRowColor(ColorRef colour, int row);
    void SetColumnColor(ColorRef colour, int column);
    void ClearColors();
    // Position of the first matching entry in the table of `kind` (kRowColor, kColumnColor,
    // kCellColor; `column` only for cells, where a negative one finds nothing), or -1.
    int FindColorEntry(int index, int kind, int column) const;

    const ColorTable& RowColors() const { return m_rowColors; }
    const ColorTable& ColumnColors() const { return m_colColors; }
    const ColorTable& CellColors() const { return m_cellColors; }

    // Paint-time background: cell entry, else row entry, else column entry, else the list's.
    QColor CellBackground(int row, int column) const;
    QColor ListBackground() const;

    // Rows. A new row is unticked with empty text in column 0 and no text in column 1.
    int InsertChannelRow(int index, const QString& name, const QString& minText,
                         const QString& maxText);
    // A followed file grew: the row's minimum and maximum texts change.
    void SetMinMaxTexts(int row, const QString& minText, const QString& maxText);
    void DeleteItem(int row);
    // Deletes every row and empties all three colour tables.
    void DeleteAllItems();
    int RowCount() const { return topLevelItemCount(); }
    bool IsChecked(int row) const;
    void SetChecked(int row, bool checked);
    int SelectedRow() const; // -1 when no row is selected

    // The row of the x channel: its name in bold and "横轴" over its colour swatch (the tick
    // box keeps its meaning). -1 marks none.
    void SetAxisRow(int row);
    int AxisRow() const; // -1 when no row is marked

signals:
    void RowDoubleClicked(int row);
    // A right click on a row, at a global position.
    void RowContextMenu(int row, const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetUpColumns();
    void OnInsertItem(int k);
    void OnDeleteItem(int k);
    void OnDeleteAllItems();
    void RedrawAll();

    ColorTable m_rowColors;
    ColorTable m_colColors;
    ColorTable m_cellColors;
};

} // namespace kurvon
