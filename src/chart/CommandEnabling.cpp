#include "chart/CommandEnabling.h"

#include "chart/Navigation.h"

namespace kurvon {

CommandEnabling EnabledCommands(const ViewState& state) {
    const bool ready = Ready(state);
    const std::uint32_t lastIndex = state.data.recordCount - 1; // unsigned, as the rules compare
    const bool wholeFile = state.firstRecord == 0 && state.lastRecord == lastIndex;
    CommandEnabling e;
    e.open = !state.loading;
    e.dataPoints = false;
    e.clear = state.dataLoaded;
    e.savePicture = ready;
    e.back = ready && state.lastRecord != lastIndex;
    e.forward = ready && state.firstRecord != 0;
    e.zoomIn = ready && state.lastRecord != state.firstRecord + 1;
    e.zoomOut = ready && !wholeFile;
    e.showAll = ready && !wholeFile;
    return e;
}

} // namespace kurvon
