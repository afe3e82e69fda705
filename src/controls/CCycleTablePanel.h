#pragma once
// The dockable cycle table: a line saying which roles were not found, then one sortable row per
// cycle, on the first of the panel's pages. A click on a row asks for its cycle to be shown; Ctrl+C
// (or the table's menu) copies the selected rows, or all of them, with the headings as
// tab-separated text.

#include "analysis/CycleTable.h"

#include <QDockWidget>
#include <vector>

class QLabel;
class QTabWidget;
class QTableView;

namespace kurvon {

class CycleTableModel;

class CCycleTablePanel : public QDockWidget {
    Q_OBJECT
public:
    explicit CCycleTablePanel(QWidget* parent = nullptr);

    // A new table (or none) and the note above it.
    void SetTable(CycleTable table, const QString& note);
    // Marks the row of the cycle shown (none: no mark) without asking to show it.
    void MarkCycle(std::optional<std::size_t> cycle);

    // Another page beside the table (the fade chart), drawn from Model().
    void AddPage(QWidget* page, const QString& title);
    QTabWidget* Pages() const { return m_pPages; }

    // The selected rows in the order shown, or all rows when none is selected.
    QString CopyText() const;
    void CopyToClipboard() const;

    CycleTableModel* Model() const { return m_pModel; }
    QTableView* Table() const { return m_pTable; }
    QLabel* Note() const { return m_pNote; }

signals:
    // index into the table's cycles
    void CycleActivated(std::size_t cycle);

private:
    CycleTableModel* m_pModel;
    QTableView* m_pTable;
    QLabel* m_pNote;
    QTabWidget* m_pPages;
};

} // namespace kurvon
