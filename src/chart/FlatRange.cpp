#include "chart/FlatRange.h"

#include "chart/ChartGeometry.h"
#include "chart/DrawableState.h"

#include <tuple>

namespace kurvon {

std::pair<float, float> DisplayRange(const DataSet& data, int channel, bool primary) {
    const float maximum = data.maxima[channel];
    const float minimum = data.minima[channel];
    if (!primary || maximum != minimum)
        return {maximum, minimum};
    const float first = data.Value(static_cast<std::uint32_t>(channel), 0);
    return {first + 1.0f, first - 1.0f};
}

void WidenFlatPrimary(ViewState& state, int clientWidth, int clientHeight) {
    if (!ChartAreaOfClient(clientWidth, clientHeight).Drawable() || !state.dataLoaded ||
        !WindowUsable(state))
        return;
    const std::vector<int> channels = UsableVisibleChannels(state);
    if (channels.empty())
        return;
    DataSet& data = state.data;
    const int primary = channels.back();
    std::tie(data.maxima[primary], data.minima[primary]) = DisplayRange(data, primary, true);
}

} // namespace kurvon
