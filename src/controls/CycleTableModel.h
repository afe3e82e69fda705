#pragma once
// The cycle table as rows of a table view: Chinese headings, each figure in the text of the CSV
// (empty when empty), sortable by any column with empty figures last.

#include "analysis/CycleTable.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace kurvon {

class CycleTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 15;

    using QAbstractTableModel::QAbstractTableModel;

    // The rows in cycle order (or the sort last asked for).
    void SetTable(CycleTable table);
    const CycleTable& Table() const { return m_table; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // The cycle (index into Table().cycles) a row shows, and back; -1 for none.
    std::size_t CycleAt(int row) const { return m_order[static_cast<std::size_t>(row)]; }
    int RowOfCycle(std::size_t cycle) const;

    static QString Heading(int column);
    QString Text(int row, int column) const;
    // The headings and the given rows, fields separated by tabs, lines by LF.
    QString TabSeparated(const std::vector<int>& rows) const;

private:
    CycleTable m_table;
    std::vector<std::size_t> m_order; // row -> cycle
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace kurvon
