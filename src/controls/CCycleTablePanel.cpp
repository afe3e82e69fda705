#include "controls/CCycleTablePanel.h"

#include "controls/CycleTableModel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace kurvon {

CCycleTablePanel::CCycleTablePanel(QWidget* parent)
    : QDockWidget(QStringLiteral("循环表"), parent), m_pModel(new CycleTableModel(this)),
      m_pTable(new QTableView), m_pNote(new QLabel), m_pPages(new QTabWidget) {
    setObjectName(QStringLiteral("cycleTablePanel"));
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea | Qt::LeftDockWidgetArea |
                    Qt::RightDockWidgetArea);
    m_pTable->setModel(m_pModel);
    // Cycle order until a heading is clicked.
    m_pTable->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    m_pTable->setSortingEnabled(true);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->verticalHeader()->hide();
    m_pTable->verticalHeader()->setDefaultSectionSize(m_pTable->fontMetrics().height() + 4);
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_pNote->setWordWrap(true);
    m_pNote->hide();

    auto* copy = new QAction(QStringLiteral("复制(&C)"), m_pTable);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &CCycleTablePanel::CopyToClipboard);
    m_pTable->addAction(copy);
    m_pTable->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_pTable, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit CycleActivated(m_pModel->CycleAt(index.row()));
    });

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_pNote);
    layout->addWidget(m_pTable);
    m_pPages->addTab(body, QStringLiteral("循环表"));
    setWidget(m_pPages);
}

void CCycleTablePanel::AddPage(QWidget* page, const QString& title) {
    m_pPages->addTab(page, title);
}

void CCycleTablePanel::SetTable(CycleTable table, const QString& note) {
    m_pModel->SetTable(std::move(table));
    m_pNote->setText(note);
    m_pNote->setVisible(!note.isEmpty());
}

void CCycleTablePanel::MarkCycle(std::optional<std::size_t> cycle) {
    QItemSelectionModel* selection = m_pTable->selectionModel();
    const int row = cycle ? m_pModel->RowOfCycle(*cycle) : -1;
    if (row < 0) {
        selection->clearCurrentIndex();
        return;
    }
    const QModelIndex index = m_pModel->index(row, 0);
    selection->setCurrentIndex(index,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_pTable->scrollTo(index);
}

QString CCycleTablePanel::CopyText() const {
    std::vector<int> rows;
    for (const QModelIndex& index : m_pTable->selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.empty()) {
        for (int row = 0; row < m_pModel->rowCount(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    return m_pModel->TabSeparated(rows);
}

void CCycleTablePanel::CopyToClipboard() const {
    QApplication::clipboard()->setText(CopyText());
}

} // namespace kurvon
