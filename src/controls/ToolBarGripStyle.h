#pragma once
// Style for a movable tool bar without a gripper: the handle takes no room and is not drawn,
// but the whole bar answers as the handle, so the user drags the bar by any free spot
// between its buttons (the buttons themselves keep their clicks).

#include <QProxyStyle>

namespace kurvon {

class ToolBarGripStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Follows the application's style.
    ToolBarGripStyle() = default;

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

} // namespace kurvon
