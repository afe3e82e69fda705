#pragma once
// Chosen cycles drawn on top of each other against the x channel: which cycles, their colours
// from a ramp (first chosen cycle blue, last red) and the x axis they share.
//
// The overlay is on while a choice is made, a channel is the x axis and the cycles are known;
// the view window plays no part. The x axis spans the smallest to largest finite x of the chosen
// cycles' records and maps x as the x axis of the chart does: scale = (w - 120) / (xmax - xmin)
// as a 32-bit float, a point at trunc((x - xmin) * scale + 60), a flat range widened by 1 on
// both sides. With relative x, a cycle's x is float(x - x0), x0 the x of its first record whose
// x is finite.

#include "chart/ChartLayout.h"
#include "chart/ViewState.h"
#include "chart/XAxis.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kurvon {

struct OverlayCycle {
    std::uint32_t number = 0; // from 1
    std::uint32_t first = 0;  // its records, inclusive
    std::uint32_t last = 0;
    ColorRef color = 0;
    float origin = 0; // subtracted from x (relative x), else 0
    bool operator==(const OverlayCycle&) const = default;
};

// The ramp's colour for the i-th of n cycles.
ColorRef RampColor(std::size_t i, std::size_t n);

// The cycles the overlay draws now, in order; empty when it is off or none of the chosen cycles
// exists.
std::vector<OverlayCycle> OverlayCycles(const ViewState& state);
bool OverlayActive(const ViewState& state);

class OverlayAxis {
public:
    OverlayAxis(const DataSet& data, int xChannel, const std::vector<OverlayCycle>& cycles,
                bool relative, int chartWidth);

    // Whether any chosen record has a finite x.
    bool Any() const { return m_any; }
    // The overlay's x of record r of a cycle (not finite: no point).
    float X(const OverlayCycle& cycle, std::uint32_t r) const;
    int Column(float x) const { return m_columns.Of(x); }
    const XColumns& Columns() const { return m_columns; }
    bool Relative() const { return m_relative; }
    std::optional<double> ValueAt(int px) const;
    // At the places the record labels of a window as long as the chosen cycles together stand.
    std::vector<RecordLabel> Labels() const;

private:
    const float* m_x = nullptr;
    bool m_relative = false;
    int m_width = 0;
    std::uint32_t m_span = 1;
    float m_mid = 0.0f;
    XColumns m_columns;
    bool m_any = false;
};

} // namespace kurvon
