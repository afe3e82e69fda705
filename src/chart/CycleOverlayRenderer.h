#pragma once
// The paint of the chart area while cycles are overlaid (CycleOverlay.h): frame, every chosen
// cycle's curves in its ramp colour (each ticked channel, the primary with the wide pen, later
// cycles over earlier ones), the value labels in the channels' colours as on the chart, the x
// labels, and a legend naming the first and last cycle drawn. The cursor layer adds the
// readout with the overlay's x and the crosshair.

#include "chart/ChartRenderer.h"
#include "chart/CycleOverlay.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kurvon {

struct LegendBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where the legend of n drawn cycles stands (top left inside the frame).
LegendBox OverlayLegendBox(std::size_t cycleCount);

// As RenderChartBase and DrawCursorLayer, for the overlay; false when the area is too small.
// The curves are drawn as the chart's are (the same pixels in either mode). The cursor layer
// reads the x value off `axis` when given (the base's, kept by the cache), else off an axis
// made afresh.
bool RenderOverlayBase(RasterSurface& surface, const ViewState& state, int clientWidth,
                       int clientHeight, ColorRef background = 0xFFFFFF,
                       CurveMode mode = CurveMode::ByColumn);
void DrawOverlayCursorLayer(RasterSurface& surface, const ViewState& state, int clientWidth,
                            int clientHeight, const OverlayAxis* axis = nullptr);

// The overlay's base layer kept between paints, as ChartPaintCache keeps the chart's.
class OverlayPaintCache {
public:
    bool Paint(RasterSurface& surface, const ViewState& state, int clientWidth, int clientHeight,
               ColorRef background = 0xFFFFFF, CurveMode mode = CurveMode::ByColumn);

private:
    struct Key {
        int clientWidth = 0;
        int clientHeight = 0;
        ColorRef background = 0;
        std::uint64_t dataGeneration = 0;
        std::uint32_t recordCount = 0;
        int xChannel = -1;
        bool relative = false;
        CurveMode mode = CurveMode::ByColumn;
        std::vector<std::uint32_t> channels; // channel, colour, maximum, minimum (bits)
        std::vector<std::uint32_t> cycles;   // number, first, last, colour, origin (bits)
        bool operator==(const Key&) const = default;
    };
    static Key KeyOf(const ViewState& state, int clientWidth, int clientHeight, ColorRef background,
                     CurveMode mode);

    RasterSurface m_base;
    Key m_key;
    std::optional<OverlayAxis> m_axis; // of the data set the key names
    bool m_valid = false;
};

} // namespace kurvon
