#pragma once
// The fade chart page of the cycle panel: drawn from the panel's table at the page's size,
// again whenever the table changes.

#include "platform/RasterSurface.h"

#include <QWidget>

namespace kurvon {

class CycleTableModel;

class CFadeChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit CFadeChartWidget(const CycleTableModel* model, QWidget* parent = nullptr);

    QSize sizeHint() const override { return QSize(600, 240); }
    // The picture as it is painted now.
    QImage Picture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CycleTableModel* m_pModel;
    RasterSurface m_surface;
};

} // namespace kurvon
