#include "app/Commands.h"

#include <array>
#include <cstdlib>

namespace kurvon {
namespace {

constexpr std::array<CommandInfo, 13> kCommands{{
    {ID_OPEN, "打开(&O)...\tCtrl+O", "打开一个现有文档", "打开"},
    {ID_DATA_POINTS, "数据点(&P)", "显示或隐藏数据点", "显隐数据点"},
    {ID_CLEAR, "清除(&C)\tDel", "清除已打开的数据文件", "清除"},
    {ID_SAVE_PICTURE, "保存图片(&S)\tCtrl+S", "分析数据保存为图片", "保存图片"},
    {ID_BACK, "后退(&P)\t←", "向后滚动视图", "后退"},
    {ID_FORWARD, "前进(&N)\t→", "向前滚动视图", "前进"},
    {ID_ZOOM_IN, "放大(&O)\t+/↑", "放大视图", "放大"},
    {ID_ZOOM_OUT, "缩小(&I)\t-/↓", "缩小视图", "缩小"},
    {ID_SHOW_ALL, "显示全部(&A)\tF1", "显示全部视图", "显示全部"},
    {ID_APP_ABOUT, "关于版权(&A)...", "显示程序信息，版本号和版权", "关于"},
    {ID_APP_EXIT, "退出(&X)", "退出应用程序；提示保存文档", "退出"},
    {ID_VIEW_TOOLBAR, "工具栏(&T)", "显示或隐藏工具栏", "显隐工具栏"},
    {ID_VIEW_STATUS_BAR, "状态栏(&S)", "显示或隐藏状态栏", "显隐状态栏"},
}};

constexpr std::array<int, 4> kFileMenu{ID_OPEN, ID_CLEAR, 0, ID_APP_EXIT};
constexpr std::array<int, 8> kActionMenu{ID_BACK,     ID_FORWARD,  0, ID_ZOOM_IN,
                                         ID_ZOOM_OUT, ID_SHOW_ALL, 0, ID_SAVE_PICTURE};
constexpr std::array<int, 3> kViewMenu{ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_DATA_POINTS};
constexpr std::array<int, 1> kHelpMenu{ID_APP_ABOUT};

constexpr std::array<MenuPopup, 4> kMenu{{
    {"文件(&F)", kFileMenu},
    {"动作(&A)", kActionMenu},
    {"查看(&V)", kViewMenu},
    {"帮助(&H)", kHelpMenu},
}};

constexpr std::array<int, 12> kToolBar{
    ID_OPEN,     0,           ID_BACK, ID_FORWARD,     0, ID_ZOOM_IN,
    ID_ZOOM_OUT, ID_SHOW_ALL, 0,       ID_DATA_POINTS, 0, ID_SAVE_PICTURE};

} // namespace

std::span<const CommandInfo> AllCommands() {
    return kCommands;
}

const CommandInfo& CommandInfoFor(CommandId id) {
    for (const CommandInfo& info : kCommands)
        if (info.id == id)
            return info;
    std::abort(); // every CommandId has an entry
}

std::span<const MenuPopup> MainMenuLayout() {
    return kMenu;
}

std::span<const int> ToolBarLayout() {
    return kToolBar;
}

} // namespace kurvon
