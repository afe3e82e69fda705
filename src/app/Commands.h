#pragma once
// The program's command set, one row per command: identifier, texts, keys, places in the menu
// and on the tool bar and enabling rule. The frame builds its menu, tool bar and actions from
// these rows and runs each command (FrameCommands.cpp); the enabling pass reads their rules.
// The table knows no window: it depends on the view state only.

#include "chart/ViewState.h"

#include <QKeyCombination>
#include <array>
#include <span>

namespace kurvon {

// The resource numbers of the commands.
enum CommandId : int {
    ID_OPEN = 32771,
    ID_DATA_POINTS = 32772,
    ID_CLEAR = 32774,
    ID_SAVE_PICTURE = 32775,
    ID_BACK = 32776,
    ID_FORWARD = 32777,
    ID_ZOOM_IN = 32778,
    ID_ZOOM_OUT = 32779,
    ID_SHOW_ALL = 32780,
    ID_RECORD_AXIS = 32781,
    ID_FOLLOW_FILE = 32790,
    ID_PREVIOUS_CYCLE = 32791,
    ID_NEXT_CYCLE = 32792,
    ID_CHANNEL_ROLES = 32793,
    ID_INVERSE_EFFICIENCY = 32794,
    ID_VIEW_CYCLE_TABLE = 32795,
    ID_OVERLAY_CYCLES = 32796,
    ID_END_OVERLAY = 32797,
    ID_OVERLAY_RELATIVE = 32798,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

// A place in a menu pop-up or on the tool bar: items stand in order of their slots, and each
// unused slot between two items is a separator.
struct MenuSlot {
    int popup;
    int slot;
};
constexpr int kNotOnToolBar = -1;

struct CommandInfo {
    CommandId id;
    const char* menuText; // UTF-8; the text after '\t' is the key hint shown in the menu
    const char* prompt;   // status-bar prompt
    const char* tooltip;
    std::array<QKeyCombination, 2> keys; // Qt::Key_unknown for none
    MenuSlot menu;
    int toolBarSlot; // kNotOnToolBar when not on it
    bool checkable;
    bool (*enabled)(const ViewState& state); // null: always enabled
};

// Every command that has a menu item, key or button.
std::span<const CommandInfo> AllCommands();

// The menu's pop-up titles, in order.
std::span<const char* const> MenuPopupTitles();

} // namespace kurvon
