#pragma once
// Paints each cell of the channel list on the background its colour tables give it. The list
// hands over how to look a cell's background up, so this file needs nothing of the list.

#include <QColor>
#include <QStyledItemDelegate>
#include <functional>

namespace kurvon {

class ColorListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using Background = std::function<QColor(int row, int column)>;
    ColorListDelegate(QObject* parent, Background background);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    Background m_background;
};

} // namespace kurvon
