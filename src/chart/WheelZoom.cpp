#include "chart/WheelZoom.h"

#include "chart/ChartGeometry.h"
#include "chart/Navigation.h"
#include "chart/XAxis.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace kurvon {
namespace {

using U64 = std::uint64_t;

// The span Zoom in leaves: narrowed by the zoom step at each end, or the two-record window.
U64 ZoomedInSpan(U64 f, U64 l, U64 z) {
    if (l > z && f + z < l - z)
        return l - f - 2 * z;
    return 1;
}

// The span Zoom out would leave if the data went on at both ends, cut to the data's length.
U64 ZoomedOutSpan(U64 f, U64 l, U64 z, U64 count) {
    return std::min(l - f + 2 * z, count - 1);
}

enum class Notch { Refused, Unchanged, Moved };

Notch ZoomNotch(ViewState& state, bool in, int x, int chartWidth) {
    const U64 count = state.data.recordCount;
    if (!(in ? ZoomInEnabled(state) : ZoomOutEnabled(state)) || count < 2 ||
        PlotWidth(chartWidth) <= 0)
        return Notch::Refused;
    const U64 f = state.firstRecord;
    const U64 l = state.lastRecord;
    if (f >= l || l >= count) // not a window of this data set: leave it to the keys
        return Notch::Refused;
    const U64 span =
        in ? ZoomedInSpan(f, l, ZoomStep(state)) : ZoomedOutSpan(f, l, ZoomStep(state), count);
    if (span == l - f) // zoom step 0: acts as the keys do, without moving the window
        return Notch::Unchanged;

    ChartArea area;
    area.width = chartWidth;
    const int frameX = area.ClampToFrameX(x);
    const U64 under = XAxis(state, chartWidth).RecordAt(frameX);
    // Records left of the pointer in the new window, spread evenly over the plot (by record,
    // the same mapping as the axis).
    const U64 left =
        std::min<U64>(RecordAtX(frameX, 0, static_cast<std::uint32_t>(span), chartWidth), span);
    U64 first = under >= left ? under - left : 0;
    first = std::min(first, count - 1 - span);
    state.firstRecord = static_cast<std::uint32_t>(first);
    state.lastRecord = static_cast<std::uint32_t>(first + span);
    return Notch::Moved;
}

} // namespace

int WheelNotches::Add(int angleDelta) {
    if ((angleDelta > 0 && m_pending < 0) || (angleDelta < 0 && m_pending > 0))
        m_pending = 0;
    const long long total = static_cast<long long>(m_pending) + angleDelta; // no overflow
    const long long notches = total / kUnitsPerNotch;
    m_pending = static_cast<int>(total - notches * kUnitsPerNotch);
    return static_cast<int>(notches);
}

bool WheelZoom(ViewState& state, int notches, int x, int chartWidth) {
    bool acted = false;
    const bool in = notches > 0;
    // A wheel flung far still stops as soon as a notch changes nothing more.
    for (long long n = std::abs(static_cast<long long>(notches)); n > 0; --n) {
        const Notch notch = ZoomNotch(state, in, x, chartWidth);
        acted = acted || notch != Notch::Refused;
        if (notch != Notch::Moved)
            break;
    }
    return acted;
}

} // namespace kurvon
