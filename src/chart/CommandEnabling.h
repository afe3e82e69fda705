#pragma once
// When each of the view's commands is enabled, from the current state.

#include "chart/ViewState.h"

namespace kurvon {

struct CommandEnabling {
    bool open = false;        // ID_OPEN
    bool dataPoints = false;  // ID_DATA_POINTS: never
    bool clear = false;       // ID_CLEAR
    bool savePicture = false; // ID_SAVE_PICTURE
    bool back = false;        // ID_BACK
    bool forward = false;     // ID_FORWARD
    bool zoomIn = false;      // ID_ZOOM_IN
    bool zoomOut = false;     // ID_ZOOM_OUT
    bool showAll = false;     // ID_SHOW_ALL
};

CommandEnabling EnabledCommands(const ViewState& state);

} // namespace kurvon
