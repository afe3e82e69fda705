#include "chart/ViewState.h"

namespace kurvon {

void ReleaseDataSet(ViewState& state) {
    // Swapping with empty containers frees the storage, not just the elements.
    DataSet& data = state.data;
    std::vector<ColorRef>().swap(data.colors);
    std::vector<std::string>().swap(data.names);
    std::vector<float>().swap(data.maxima);
    std::vector<float>().swap(data.minima);
    std::vector<Column>().swap(data.columns);
    std::vector<ChannelSummary>().swap(data.summaries);
    state.visible.Clear();
    state.xChannel = -1;
    state.cycles = {};
    state.overlay.choice.reset();
    ++state.dataGeneration;
}

void ClearModel(ViewState& state) {
    state.visible.Clear();
    state.dataLoaded = false;
    state.xChannel = -1;
    state.cycles = {};
    state.overlay.choice.reset();
    state.firstRecord = 0;
    state.lastRecord = 0;
    state.dragStartX = 0;
    state.dragEndX = 0;
}

} // namespace kurvon
