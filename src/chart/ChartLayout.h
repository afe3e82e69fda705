#pragma once
// The labels of the chart: where each stands and what it reads. The paint draws exactly these.

#include "chart/ChartGeometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kurvon {

// A record label: text drawn at (x - 10, h - 18), tick from (x, h - 20) to (x, h - 40).
struct RecordLabel {
    int x = 0;
    std::string text;
};

// A value label at row y: text at (w - 56, y - 8) or (0, y - 8), tick 4 pixels into the frame.
struct ValueLabel {
    int y = 0;
    std::string text;
};

struct TickSpacing {
    std::int64_t records = 0; // k: records per interval, a multiple of 10
    float step = 0.0f;        // k * xScale: pixels per interval
};

// The first k = 10, 20, 30, ... with (w - 120) / step <= 6, or whose quotient is not a number.
TickSpacing FindTickSpacing(int width, float xScale);

// The value a record label shows for the real record number r:
// (4 - trunc(r * -10)) / 10, which rounds fractions of 0.6 and more up.
std::int64_t RecordLabelValue(double record);

// The labels along the bottom edge; none when w - 60 <= 60.
std::vector<RecordLabel> RecordLabels(int width, float xScale, std::uint32_t firstRecord);

// The labels of one value axis at n = h - 20, h - 70, ... while n > 10.
std::vector<ValueLabel> ValueLabels(const ValueMapping& mapping);

} // namespace kurvon
