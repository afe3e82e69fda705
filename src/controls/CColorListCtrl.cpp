#include "controls/CColorListCtrl.h"

#include "controls/ColorListDelegate.h"
#include "controls/ColorRefQt.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

namespace kurvon {

CColorListCtrl::CColorListCtrl(QWidget* parent) : QTreeWidget(parent) {
    setItemDelegate(new ColorListDelegate(
        this, [this](int row, int column) { return CellBackground(row, column); }));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false); // row i is always channel i
    SetUpColumns();

    // Keep colour entries with their rows whatever inserts or removes the items.
    QAbstractItemModel* m = model();
    connect(m, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (parent.isValid())
                    return;
                for (int k = first; k <= last; ++k)
                    OnInsertItem(k);
            });
    connect(m, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (parent.isValid())
                    return;
                for (int k = last; k >= first; --k)
                    OnDeleteItem(k);
            });
    connect(m, &QAbstractItemModel::modelAboutToBeReset, this, [this] { OnDeleteAllItems(); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex index = indexAt(pos);
        if (index.isValid() && !index.parent().isValid())
            emit RowContextMenu(index.row(), viewport()->mapToGlobal(pos));
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && !index.parent().isValid())
            emit RowDoubleClicked(index.row());
    });
}

CColorListCtrl::~CColorListCtrl() {
    // The base destructor empties the model; by then this object is gone, so stop listening.
    disconnect(model(), nullptr, this, nullptr);
}

void CColorListCtrl::SetUpColumns() {
    setColumnCount(kColumnCount);
    setHeaderLabels({QString(), QStringLiteral("颜色"), QStringLiteral("名称"),
                     QStringLiteral("最小值"), QStringLiteral("最大值")});
    QHeaderView* h = header();
    h->setStretchLastSection(false);
    h->setSectionsMovable(false);
    h->setMinimumSectionSize(0);
    h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    headerItem()->setTextAlignment(kCheckColumn, Qt::AlignCenter);
    static constexpr int kWidths[kColumnCount] = {20, 50, 60, 60, 60};
    for (int c = 0; c < kColumnCount; ++c)
        h->resizeSection(c, kWidths[c]);
}

void CColorListCtrl::AddCellColor(ColorRef colour, int row, int column) {
    m_cellColors.push_back({colour, row, column});
    RedrawAll();
}

void CColorListCtrl::SetRowColor(ColorRef colour, int row) {
    m_rowColors.push_back({colour, row, 0});
    RedrawAll();
}

void CColorListCtrl::SetColumnColor(ColorRef colour, int column) {
    m_colColors.push_back({colour, column, 0});
    RedrawAll();
}

void CColorListCtrl::ClearColors() {
    OnDeleteAllItems();
    RedrawAll();
}

int CColorListCtrl::FindColorEntry(int index, int kind, int column) const {
    switch (kind) {
    case kRowColor:
        return FindInTable(m_rowColors, index, false, 0);
    case kColumnColor:
        return FindInTable(m_colColors, index, false, 0);
    case kCellColor:
        return column < 0 ? -1 : FindInTable(m_cellColors, index, true, column);
    default:
        return -1;
    }
}

QColor CColorListCtrl::CellBackground(int row, int column) const {
    const int cell = FindColorEntry(row, kCellColor, column);
    if (cell >= 0)
        return ToQColor(m_cellColors[static_cast<std::size_t>(cell)].colour);
    const int rowEntry = FindColorEntry(row, kRowColor, -1);
    if (rowEntry >= 0)
        return ToQColor(m_rowColors[static_cast<std::size_t>(rowEntry)].colour);
    const int colEntry = FindColorEntry(column, kColumnColor, -1);
    if (colEntry >= 0)
        return ToQColor(m_colColors[static_cast<std::size_t>(colEntry)].colour);
    return ListBackground();
}

QColor CColorListCtrl::ListBackground() const {
    return viewport()->palette().color(viewport()->backgroundRole());
}

int CColorListCtrl::InsertChannelRow(int index, const QString& name, const QString& minText,
                                     const QString& maxText) {
    index = std::clamp(index, 0, topLevelItemCount());
    auto* item = new QTreeWidgetItem;
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(kCheckColumn, Qt::Unchecked);
    item->setTextAlignment(kCheckColumn, Qt::AlignCenter);
    item->setText(kNameColumn, name);
    item->setText(kMinColumn, minText);
    item->setText(kMaxColumn, maxText);
    insertTopLevelItem(index, item);
    return index;
}

void CColorListCtrl::SetMinMaxTexts(int row, const QString& minText, const QString& maxText) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        if (item->text(kMinColumn) != minText)
            item->setText(kMinColumn, minText);
        if (item->text(kMaxColumn) != maxText)
            item->setText(kMaxColumn, maxText);
    }
}

void CColorListCtrl::DeleteItem(int row) {
    if (row >= 0 && row < topLevelItemCount())
        delete takeTopLevelItem(row);
}

void CColorListCtrl::DeleteAllItems() {
    // Also when there are no rows: the tables are emptied either way.
    OnDeleteAllItems();
    clear();
}

bool CColorListCtrl::IsChecked(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item && item->checkState(kCheckColumn) == Qt::Checked;
}

void CColorListCtrl::SetChecked(int row, bool checked) {
    if (QTreeWidgetItem* item = topLevelItem(row))
        item->setCheckState(kCheckColumn, checked ? Qt::Checked : Qt::Unchecked);
}

int CColorListCtrl::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

namespace {
QString AxisMark() {
    return QStringLiteral("横轴");
}
} // namespace

void CColorListCtrl::SetAxisRow(int row) {
    for (int r = 0; r < topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = topLevelItem(r);
        QFont font = item->font(kNameColumn);
        font.setBold(r == row);
        item->setFont(kNameColumn, font);
        item->setText(kColorColumn, r == row ? AxisMark() : QString());
    }
}

int CColorListCtrl::AxisRow() const {
    for (int r = 0; r < topLevelItemCount(); ++r)
        if (topLevelItem(r)->text(kColorColumn) == AxisMark())
            return r;
    return -1;
}

void CColorListCtrl::keyPressEvent(QKeyEvent* event) {
    // Space toggles the box of the current row whichever cell has the focus.
    const bool toggleKey = event->key() == Qt::Key_Space || event->key() == Qt::Key_Select;
    QTreeWidgetItem* item = currentItem();
    if (toggleKey && event->modifiers() == Qt::NoModifier && item) {
        SetChecked(indexOfTopLevelItem(item), item->checkState(kCheckColumn) != Qt::Checked);
        item->setSelected(true);
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CColorListCtrl::OnInsertItem(int k) {
    ShiftForInsertedRow(m_rowColors, k);
    ShiftForInsertedRow(m_cellColors, k);
}

void CColorListCtrl::OnDeleteItem(int k) {
    DropDeletedRow(m_rowColors, k);
    DropDeletedRow(m_cellColors, k);
}

void CColorListCtrl::OnDeleteAllItems() {
    m_rowColors.clear();
    m_colColors.clear();
    m_cellColors.clear();
}

void CColorListCtrl::RedrawAll() {
    // Nothing is painted while redrawing is off (setUpdatesEnabled(false)).
    viewport()->update();
}

} // namespace kurvon
