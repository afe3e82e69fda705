#pragma once
// The curve of one channel over the view window, drawn two ways that cover the same pixels:
//
// - literally, one segment per record (the reference);
// - by pixel column: x = trunc(k * xScale + 60) is monotone in k, so the window's records fall
//   into runs sharing one column. Inside a run every segment is vertical and together they cover
//   the rows between the run's extreme rows (the run's last row only if something else reaches
//   it); between runs lies one ordinary segment. Each run is drawn as at most three vertical
//   segments plus that connecting one, its extreme rows found through the channel's summary.
//   Rows are monotone in the value over the finite values, so the extreme rows come from the
//   smallest and largest finite value and the non-finite kinds present.

#include "chart/ChartGeometry.h"
#include "data/ChannelSummary.h"
#include "platform/RasterSurface.h"

#include <cstdint>
#include <vector>

namespace kurvon {

// The records k (counted from the window's first record) that share column x.
struct ColumnRun {
    int x = 0;
    std::uint32_t firstK = 0;
    std::uint32_t lastK = 0;
};

// The runs of k = 0 .. span in order; the same for every channel of one paint.
std::vector<ColumnRun> ColumnRuns(std::uint32_t span, float xScale);

struct CurveSource {
    const float* values = nullptr;           // the whole channel
    const ChannelSummary* summary = nullptr; // built over the whole channel, or null
    std::uint32_t first = 0;                 // the view window, first < last < count
    std::uint32_t last = 0;
    float xScale = 0.0f;
    ValueMapping mapping;
};

// With the surface's current pen.
void DrawCurveLiteral(RasterSurface& surface, const CurveSource& curve);
void DrawCurveByColumn(RasterSurface& surface, const CurveSource& curve,
                       const std::vector<ColumnRun>& runs);

} // namespace kurvon
