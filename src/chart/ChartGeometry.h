#pragma once
// Where things are in the chart area, and how records and values become pixel positions.
//
// Scales are stored as 32-bit floats and used in double precision; every position is truncated
// toward zero after being clamped to +-kPositionLimit (NaN counts as +kPositionLimit), so no
// value, however large or undefined, reaches an out-of-range conversion. Such a point lies far
// outside the surface: the user sees its segments leave the chart vertically.

#include <cstdint>

namespace kurvon {

constexpr int kListStripWidth = 300; // the channel list's strip right of the chart area
constexpr int kFrameLeft = 60;
constexpr int kFrameTop = 10;
constexpr int kFrameRightMargin = 60;
constexpr int kFrameBottomMargin = 20;
constexpr int kPositionLimit = 1 << 20;

// The plot frame's inner extent: records spread over w - 120 pixels, values over h - 30.
constexpr int PlotWidth(int chartWidth) {
    return chartWidth - kFrameLeft - kFrameRightMargin;
}
constexpr int PlotHeight(int chartHeight) {
    return chartHeight - kFrameTop - kFrameBottomMargin;
}

struct ChartArea {
    int width = 0;
    int height = 0;

    bool Drawable() const { return width >= 60 && height >= 20; }
    int FrameRight() const { return width - kFrameRightMargin; }
    int FrameBottom() const { return height - kFrameBottomMargin; }
    int PlotWidth() const { return kurvon::PlotWidth(width); }
    // Strictly inside the plot frame: where the crosshair, readout and "NULL" appear.
    bool InsideFrame(int x, int y) const {
        return x > kFrameLeft && x < FrameRight() && y > kFrameTop && y < FrameBottom();
    }
    // x < 60 gives 60, else x > w - 60 gives w - 60 (both tests on the unclamped x).
    int ClampToFrameX(int x) const;
};

// The client rectangle less the list strip on the right.
ChartArea ChartAreaOfClient(int clientWidth, int clientHeight);

// trunc(v) toward zero after clamping to +-kPositionLimit.
inline int TruncPosition(double v) {
    if (!(v <= kPositionLimit)) // NaN too
        return kPositionLimit;
    if (v < -kPositionLimit)
        return -kPositionLimit;
    return static_cast<int>(v);
}

// Pixels per record: (w - 120) / span.
float XScale(int width, std::uint32_t span);
// x of curve point k: trunc(k * xScale + 60).
inline int CurveX(std::uint32_t k, float xScale) {
    return TruncPosition(static_cast<double>(k) * static_cast<double>(xScale) + kFrameLeft);
}

// The vertical mapping of one channel: y = trunc((h - 20) - (value - minimum) * scale), with
// scale = (h - 30) / (maximum - minimum). A channel whose maximum equals its minimum is mapped
// as if its range were minimum - 1 .. maximum + 1 (nothing is stored), so a constant channel
// runs along the middle of the plot height. Where even that leaves no finite scale (values
// near the float limits) the curve is drawn flat along the middle.
struct ValueMapping {
    int height = 0;
    float minimum = 0.0f;
    float scale = 0.0f;
    bool flat = false;

    int Y(float value) const {
        const double bottom = height - kFrameBottomMargin;
        if (flat)
            return TruncPosition(bottom - PlotHeight(height) / 2.0);
        return TruncPosition(bottom - (static_cast<double>(value) - static_cast<double>(minimum)) *
                                          static_cast<double>(scale));
    }
    // The value shown at pixel row y: (h - 20 - y) / scale + minimum.
    double ValueAt(int y) const;
};

// The scale of extent pixels over minimum .. maximum, a 32-bit float: extent / (maximum -
// minimum), a flat range widened by 1 on both sides first; flat when even that gives no finite
// scale. The one rule of both axes.
struct LinearScale {
    float minimum = 0.0f;
    float scale = 0.0f;
    bool flat = false;
};
LinearScale ScaleOver(int extent, float maximum, float minimum);

ValueMapping MapChannel(int height, float maximum, float minimum);

// The record under x: trunc((x - 60) * span / (w - 120) + first), x within the frame.
std::uint32_t RecordAtX(int x, std::uint32_t first, std::uint32_t span, int chartWidth);

} // namespace kurvon
