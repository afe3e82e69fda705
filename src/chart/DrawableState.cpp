#include "chart/DrawableState.h"

namespace kurvon {

bool ChannelUsable(const DataSet& data, int channel) {
    if (channel < 0)
        return false;
    const auto c = static_cast<std::size_t>(channel);
    return c < data.channelCount && c < data.columns.size() && c < data.colors.size() &&
           c < data.names.size() && c < data.maxima.size() && c < data.minima.size() &&
           data.columns[c].size() >= data.recordCount;
}

std::vector<int> UsableVisibleChannels(const ViewState& state) {
    std::vector<int> channels;
    for (int i = 0; i < state.visible.Size(); ++i) {
        if (ChannelUsable(state.data, state.visible.At(i)))
            channels.push_back(state.visible.At(i));
    }
    return channels;
}

bool WindowUsable(const ViewState& state) {
    return state.data.recordCount >= 2 && state.firstRecord < state.lastRecord &&
           state.lastRecord < state.data.recordCount;
}

} // namespace kurvon
