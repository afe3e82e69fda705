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

LinearScale ScaleOver(int extent, float maximum, float minimum) {
    if (maximum == minimum) {
        maximum += 1.0f;
        minimum -= 1.0f;
    }
    LinearScale l;
    l.minimum = minimum;
    l.scale = static_cast<float>(static_cast<double>(extent) /
                                 (static_cast<double>(maximum) - static_cast<double>(minimum)));
    l.flat = !std::isfinite(l.scale) || maximum == minimum;
    return l;
}

ValueMapping MapChannel(int height, float maximum, float minimum) {
    const LinearScale l = ScaleOver(PlotHeight(height), maximum, minimum);
    ValueMapping m;
    m.height = height;
    m.minimum = l.minimum;
    m.scale = l.scale;
    m.flat = l.flat;
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
