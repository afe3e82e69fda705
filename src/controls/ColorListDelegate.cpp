#include "controls/ColorListDelegate.h"

#include "controls/CColorListCtrl.h"

namespace kurvon {

ColorListDelegate::ColorListDelegate(CColorListCtrl* list)
    : QStyledItemDelegate(list), m_list(list) {}

void ColorListDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // Every cell gets an explicit background, so none inherits a neighbour's colour.
    option->backgroundBrush = m_list->CellBackground(index.row(), index.column());
}

} // namespace kurvon
