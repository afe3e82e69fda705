#pragma once
// The curve of one channel over the view window, drawn two ways that cover the same pixels:
//
// - literally, one segment per record (the reference);
// - by pixel column: the window's records fall into runs sharing one column (XAxis::Runs, the
//   same for every channel of one paint). Inside a run every segment is vertical and together
//   they cover the rows between the run's extreme rows (the run's last row only if something
//   else reaches it); between runs of one stroke lies one ordinary segment. Each run is drawn as at
//   most three vertical segments plus that connecting one, its extreme rows found through the
//   channel's summary. Rows are monotone in the value over the finite values, so the extreme rows
//   come from the smallest and largest finite value and the non-finite kinds present.

#include "chart/ChartGeometry.h"
#include "chart/CoverageMask.h"
#include "chart/XAxis.h"
#include "data/ChannelSummary.h"
#include "platform/RasterSurface.h"

#include <climits>
#include <cstdint>
#include <vector>

namespace kurvon {

struct CurveSource {
    const float* values = nullptr;           // the whole channel
    const ChannelSummary* summary = nullptr; // built over the whole channel, or null
    const XAxis* axis = nullptr;             // the view window and where its records stand
    ValueMapping mapping;
};

struct RowRange {
    int low = INT_MAX;
    int high = INT_MIN;
};

// The extreme rows of values of these classes (rows are monotone in the finite values).
RowRange RowsOf(const ValueClasses& c, const ValueMapping& m);

// With the surface's current pen. A run that starts a stroke is moved to, not drawn to.
void DrawCurveLiteral(RasterSurface& surface, const CurveSource& curve);
void DrawCurveByColumn(RasterSurface& surface, const CurveSource& curve,
                       const std::vector<ColumnRun>& runs);
// The same pixels into a mask, with its pen width.
void DrawCurveByColumn(CoverageMask& mask, const CurveSource& curve,
                       const std::vector<ColumnRun>& runs);
// By channel, where runs are short (XAxis::ShortRuns): the literal drawing less the segments
// that end where they start, which cover nothing.
void DrawCurveByPoint(RasterSurface& surface, const CurveSource& curve);

} // namespace kurvon
