#pragma once
// Paints each cell of a CColorListCtrl on the background its colour tables give it.

#include <QStyledItemDelegate>

namespace kurvon {

class CColorListCtrl;

class ColorListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit ColorListDelegate(CColorListCtrl* list);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const CColorListCtrl* m_list;
};

} // namespace kurvon
