#pragma once
// Paints the chart through a cached base layer: when nothing but the cursor changed since the
// last paint (a mouse move), the base is copied and only the cursor layer is drawn. Anything else
// that shows in the base (size, data set, view window, visible channels, their colours and
// ranges, the x axis, the drag band, the drawing mode) is part of the cache key, so no caller has
// to invalidate anything by hand.

#include "chart/ChartRenderer.h"

#include <cstdint>
#include <vector>

namespace kurvon {

class ChartPaintCache {
public:
    // As RenderChart, with the same pixels.
    bool Paint(RasterSurface& surface, const ViewState& state, int clientWidth, int clientHeight,
               ColorRef background = 0xFFFFFF, CurveMode mode = CurveMode::ByColumn);

private:
    struct Key {
        int clientWidth = 0;
        int clientHeight = 0;
        ColorRef background = 0;
        CurveMode mode = CurveMode::ByColumn;
        std::uint64_t dataGeneration = 0;
        bool dataLoaded = false;
        std::uint32_t recordCount = 0;
        std::uint32_t firstRecord = 0;
        std::uint32_t lastRecord = 0;
        int xChannel = -1;
        bool dragInProgress = false;
        int dragStartX = 0;
        int dragEndX = 0;
        // Per visible entry: channel, colour, maximum and minimum (as bits).
        std::vector<std::uint32_t> channels;
        bool operator==(const Key&) const = default;
    };
    static Key KeyOf(const ViewState& state, int clientWidth, int clientHeight, ColorRef background,
                     CurveMode mode);

    RasterSurface m_base;
    Key m_key;
    bool m_valid = false;
};

} // namespace kurvon
