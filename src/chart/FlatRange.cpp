#include "chart/FlatRange.h"

#include "chart/ChartGeometry.h"
#include "chart/DrawableState.h"

namespace kurvon {

void WidenFlatPrimary(ViewState& state, int clientWidth, int clientHeight) {
    if (!ChartAreaOfClient(clientWidth, clientHeight).Drawable() || !state.dataLoaded ||
        !WindowUsable(state))
        return;
    const std::vector<int> channels = UsableVisibleChannels(state);
    if (channels.empty())
        return;
    DataSet& data = state.data;
    const int primary = channels.back();
    if (data.maxima[primary] == data.minima[primary]) {
        const float first = data.Value(primary, 0);
        data.maxima[primary] = first + 1.0f;
        data.minima[primary] = first - 1.0f;
    }
}

} // namespace kurvon
