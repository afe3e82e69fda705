#include "controls/ToolBarGripStyle.h"

#include <QStyleOptionToolBar>

namespace kurvon {

int ToolBarGripStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                  const QWidget* widget) const {
    if (metric == PM_ToolBarHandleExtent)
        return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QRect ToolBarGripStyle::subElementRect(SubElement element, const QStyleOption* option,
                                       const QWidget* widget) const {
    if (element == SE_ToolBarHandle) {
        const auto* bar = qstyleoption_cast<const QStyleOptionToolBar*>(option);
        if (bar && (bar->features & QStyleOptionToolBar::Movable))
            return bar->rect;
        return {};
    }
    return QProxyStyle::subElementRect(element, option, widget);
}

void ToolBarGripStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    if (element == PE_IndicatorToolBarHandle)
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

} // namespace kurvon
