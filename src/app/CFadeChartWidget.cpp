#include "app/CFadeChartWidget.h"

#include "chart/FadeChart.h"
#include "controls/CycleTableModel.h"

#include <QPainter>

namespace kurvon {

CFadeChartWidget::CFadeChartWidget(const CycleTableModel* model, QWidget* parent)
    : QWidget(parent), m_pModel(model) {
    connect(model, &QAbstractItemModel::modelReset, this, [this] { update(); });
}

QImage CFadeChartWidget::Picture() {
    DrawFadeChart(m_surface, m_pModel->Table(), width(), height());
    return m_surface.Image();
}

void CFadeChartWidget::paintEvent(QPaintEvent*) {
    DrawFadeChart(m_surface, m_pModel->Table(), width(), height());
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface.View());
}

} // namespace kurvon
