#include "chart/ChartGeometry.h"

#include <cmath>

namespace kurvon {

int ChartArea::ClampToFrameX(int x) const {
    if (x < kFrameLeft)
        return kFrameLeft;
    if (x > FrameRight())
        return FrameRight();
    return x;
}

ChartArea ChartAreaOfClient(int clientWidth, int clientHeight) {
    ChartArea area;
    area.width = clientWidth - kListStripWidth;
    area.height = clientHeight;
    return area;
}

float XScale(int width, std::uint32_t span) {
    return static_cast<float>(static_cast<double>(PlotWidth(width)) / static_cast<double>(span));
}

double ValueMapping::ValueAt(int y) const {
    return static_cast<double>(height - kFrameBottomMargin - y) / static_cast<double>(scale) +
           static_cast<double>(minimum);
}

ValueMapping MapChannel(int height, float maximum, float minimum) {
    if (maximum == minimum) {
        maximum += 1.0f;
        minimum -= 1.0f;
    }
    ValueMapping m;
    m.height = height;
    m.minimum = minimum;
    m.scale = static_cast<float>(static_cast<double>(PlotHeight(height)) /
                                 (static_cast<double>(maximum) - static_cast<double>(minimum)));
    m.flat = !std::isfinite(m.scale) || maximum == minimum;
    return m;
}

std::uint32_t RecordAtX(int x, std::uint32_t first, std::uint32_t span, int chartWidth) {
    const double recordsPerPixel = static_cast<double>(span) / PlotWidth(chartWidth);
    double record = (x - kFrameLeft) * recordsPerPixel + first;
    // Within the frame this lies in first .. first + span; the clamp only guards the conversion.
    if (!(record >= 0.0))
        record = 0.0;
    if (record > 4294967295.0)
        record = 4294967295.0;
    return static_cast<std::uint32_t>(record);
}

} // namespace kurvon
