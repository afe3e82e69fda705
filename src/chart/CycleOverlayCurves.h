#pragma once
// The curves of one overlay cycle drawn segment by segment, one per record with a finite x.

#include "chart/ChartGeometry.h"
#include "chart/CoverageMask.h"
#include "chart/CycleOverlay.h"
#include "data/ChannelSummary.h"
#include "platform/RasterSurface.h"

#include <vector>

namespace kurvon {

struct CycleCurve {
    const float* values = nullptr;           // the whole channel
    const ChannelSummary* summary = nullptr; // over the whole channel, or null
    ValueMapping mapping;
    int pen = 1;
};

// One curve on the surface with its current pen, record by record (the reference drawing).
void DrawCycleCurve(RasterSurface& surface, const OverlayAxis& axis, const OverlayCycle& cycle,
                    const float* values, const ValueMapping& mapping);

// Every curve of the cycle into the mask, each record's column found once for all of them. The
// curves have one colour, so what they cover together does not depend on their order. A block
// of records whose lines the mask hides (Hidden) is passed over after its first point.
void DrawCycleCurves(CoverageMask& mask, const OverlayAxis& axis, const OverlayCycle& cycle,
                     const std::vector<CycleCurve>& curves);

} // namespace kurvon
