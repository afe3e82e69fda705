#include "controls/ColorListDelegate.h"

#include <utility>

namespace kurvon {

ColorListDelegate::ColorListDelegate(QObject* parent, Background background)
    : QStyledItemDelegate(parent), m_background(std::move(background)) {}

void ColorListDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // Every cell gets an explicit background, so none inherits a neighbour's colour.
    option->backgroundBrush = m_background(index.row(), index.column());
}

} // namespace kurvon
