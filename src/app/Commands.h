#pragma once
// The program's command set: identifiers, menu texts with their key hints, status-bar prompts
// and tooltips. Menu, keys and tool bar only route these; the view handles them.

#include <span>

namespace kurvon {

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
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

struct CommandInfo {
    CommandId id;
    const char* menuText; // UTF-8; the text after '\t' is the key hint shown in the menu
    const char* prompt;   // status-bar prompt
    const char* tooltip;
};

// Every command that has a menu item, key or button.
std::span<const CommandInfo> AllCommands();
const CommandInfo& CommandInfoFor(CommandId id);

// Menu layout: pop-up titles and their items in order; 0 marks a separator.
struct MenuPopup {
    const char* title;
    std::span<const int> items;
};
std::span<const MenuPopup> MainMenuLayout();

// Tool bar layout, left to right; 0 marks a separator.
std::span<const int> ToolBarLayout();

} // namespace kurvon
