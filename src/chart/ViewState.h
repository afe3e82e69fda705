#pragma once
// Everything the view owns around the data set. The UI thread alone reads and writes it; the
// loader builds a private DataSet and the view takes it over when the load completes.

#include "chart/CycleNavigationState.h"
#include "chart/CycleOverlayState.h"
#include "chart/VisibleChannelList.h"
#include "data/DataSet.h"

#include <cstdint>
#include <string>

namespace kurvon {

struct ViewState {
    DataSet data;
    // Changes whenever `data` is replaced or released, so caches of what was drawn from it
    // can tell.
    std::uint64_t dataGeneration = 0;
    VisibleChannelList visible;

    bool loading = false;    // raised by the view before the loader starts
    bool dataLoaded = false; // a complete data set is present

    // The channel the x axis shows, or -1 for record numbers. Clear and every new data set
    // return to record numbers.
    int xChannel = -1;

    std::uint32_t firstRecord = 0;
    std::uint32_t lastRecord = 0;
    std::string currentPath; // the file being or last loaded

    bool dragInProgress = false;
    int dragStartX = 0;
    int dragEndX = 0;

    // Outside any plot frame until the mouse first moves over the chart.
    int cursorX = -1000;
    int cursorY = -1000;

    // The cycles of the data set (empty until they are computed) and the one a cycle command
    // showed, as long as the view window is still the one it set.
    CycleNavigation cycles;
    CycleOverlayState overlay;
};

// Frees the data set's arrays, empties the visible-channel list, returns the x axis to record
// numbers and ends a cycle overlay. Flags, view window and zoom
// step are untouched.
void ReleaseDataSet(ViewState& state);

// What Clear does to the model: empties the visible-channel list, clears the data-loaded flag,
// zeroes the view window and both drag positions, returns the x axis to record numbers and ends
// a cycle overlay. The arrays,
// counts, colours and zoom step stay.
void ClearModel(ViewState& state);

} // namespace kurvon
