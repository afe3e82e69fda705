#include "app/Commands.h"

#include "chart/CycleSteps.h"
#include "chart/Navigation.h"

namespace kurvon {
namespace {

enum Popup { kFile, kAction, kView, kCycle, kHelp };

constexpr QKeyCombination Key(Qt::Key key) {
    return QKeyCombination(key);
}
constexpr QKeyCombination kNoKey = Key(Qt::Key_unknown);

bool CanOpen(const ViewState& state) {
    return !state.loading;
}
bool CanClear(const ViewState& state) {
    return state.dataLoaded;
}
bool ChannelIsXAxis(const ViewState& state) {
    return state.dataLoaded && state.xChannel >= 0;
}
bool CanChooseRoles(const ViewState& state) {
    return state.dataLoaded && !state.loading;
}
bool CanOverlay(const ViewState& state) {
    return state.dataLoaded && !state.loading && state.xChannel >= 0 && !state.cycles.spans.empty();
}
bool Overlaid(const ViewState& state) {
    return state.overlay.choice.has_value();
}
bool Never(const ViewState&) {
    return false;
}

// One row per command: id, menu text, prompt, tooltip; keys, menu slot, tool bar slot, checkable,
// enabling rule. "=" and "-" are the unshifted keys: a typed "+" matches nothing.
// clang-format off
constexpr std::array<CommandInfo, 23> kCommands{{
    {ID_OPEN, "打开(&O)...\tCtrl+O", "打开一个现有文档", "打开",
     {Qt::CTRL | Qt::Key_O, kNoKey}, {kFile, 0}, 0, false, CanOpen},
    {ID_DATA_POINTS, "数据点(&P)", "显示或隐藏数据点", "显隐数据点",
     {kNoKey, kNoKey}, {kView, 2}, 9, false, Never},
    {ID_CLEAR, "清除(&C)\tDel", "清除已打开的数据文件", "清除",
     {Key(Qt::Key_Delete), kNoKey}, {kFile, 1}, kNotOnToolBar, false, CanClear},
    {ID_SAVE_PICTURE, "保存图片(&S)\tCtrl+S", "分析数据保存为图片", "保存图片",
     {Qt::CTRL | Qt::Key_S, kNoKey}, {kAction, 7}, 11, false, Ready},
    {ID_BACK, "后退(&P)\t←", "向后滚动视图", "后退",
     {Key(Qt::Key_Left), kNoKey}, {kAction, 0}, 2, false, BackEnabled},
    {ID_FORWARD, "前进(&N)\t→", "向前滚动视图", "前进",
     {Key(Qt::Key_Right), kNoKey}, {kAction, 1}, 3, false, ForwardEnabled},
    {ID_ZOOM_IN, "放大(&O)\t+/↑", "放大视图", "放大",
     {Key(Qt::Key_Equal), Key(Qt::Key_Up)}, {kAction, 3}, 5, false, ZoomInEnabled},
    {ID_ZOOM_OUT, "缩小(&I)\t-/↓", "缩小视图", "缩小",
     {Key(Qt::Key_Minus), Key(Qt::Key_Down)}, {kAction, 4}, 6, false, ZoomOutEnabled},
    {ID_SHOW_ALL, "显示全部(&A)\tF1", "显示全部视图", "显示全部",
     {Key(Qt::Key_F1), kNoKey}, {kAction, 5}, 7, false, ZoomOutEnabled},
    {ID_RECORD_AXIS, "以记录号为横轴", "横轴回到记录号", "以记录号为横轴",
     {kNoKey, kNoKey}, {kView, 4}, kNotOnToolBar, false, ChannelIsXAxis},
    {ID_FOLLOW_FILE, "跟随文件", "文件增长时随时读入新的记录", "跟随文件",
     {kNoKey, kNoKey}, {kFile, 2}, kNotOnToolBar, true, nullptr},
    {ID_APP_ABOUT, "关于版权(&A)...", "显示程序信息，版本号和版权", "关于",
     {kNoKey, kNoKey}, {kHelp, 0}, kNotOnToolBar, false, nullptr},
    {ID_APP_EXIT, "退出(&X)", "退出应用程序；提示保存文档", "退出",
     {kNoKey, kNoKey}, {kFile, 4}, kNotOnToolBar, false, nullptr},
    {ID_VIEW_TOOLBAR, "工具栏(&T)", "显示或隐藏工具栏", "显隐工具栏",
     {kNoKey, kNoKey}, {kView, 0}, kNotOnToolBar, true, nullptr},
    {ID_VIEW_STATUS_BAR, "状态栏(&S)", "显示或隐藏状态栏", "显隐状态栏",
     {kNoKey, kNoKey}, {kView, 1}, kNotOnToolBar, true, nullptr},
    {ID_PREVIOUS_CYCLE, "上一循环(&P)\tPgUp", "显示上一循环的记录", "上一循环",
     {Key(Qt::Key_PageUp), kNoKey}, {kCycle, 0}, kNotOnToolBar, false, PreviousCycleEnabled},
    {ID_NEXT_CYCLE, "下一循环(&N)\tPgDn", "显示下一循环的记录", "下一循环",
     {Key(Qt::Key_PageDown), kNoKey}, {kCycle, 1}, kNotOnToolBar, false, NextCycleEnabled},
    {ID_CHANNEL_ROLES, "通道角色(&R)...", "选择循环、电流、电压和时间通道及其单位", "通道角色",
     {kNoKey, kNoKey}, {kCycle, 3}, kNotOnToolBar, false, CanChooseRoles},
    {ID_INVERSE_EFFICIENCY, "效率取倒数(&I)", "效率按充电量除以放电量计算", "效率取倒数",
     {kNoKey, kNoKey}, {kCycle, 4}, kNotOnToolBar, true, nullptr},
    {ID_VIEW_CYCLE_TABLE, "循环表(&T)", "显示或隐藏循环表", "显隐循环表",
     {kNoKey, kNoKey}, {kCycle, 6}, kNotOnToolBar, true, nullptr},
    {ID_OVERLAY_CYCLES, "叠加循环(&O)...", "把选定的循环叠加画在横轴通道上", "叠加循环",
     {kNoKey, kNoKey}, {kCycle, 8}, kNotOnToolBar, false, CanOverlay},
    {ID_END_OVERLAY, "取消叠加(&E)", "回到按视图窗口显示的曲线", "取消叠加",
     {kNoKey, kNoKey}, {kCycle, 9}, kNotOnToolBar, false, Overlaid},
    {ID_OVERLAY_RELATIVE, "横轴从循环起点算起(&S)", "叠加时每个循环的横轴从该循环的第一条记录算起",
     "横轴从循环起点算起",
     {kNoKey, kNoKey}, {kCycle, 10}, kNotOnToolBar, true, nullptr},
}};
// clang-format on

constexpr std::array<const char*, 5> kPopupTitles{"文件(&F)", "动作(&A)", "查看(&V)", "循环(&C)",
                                                  "帮助(&H)"};

} // namespace

std::span<const CommandInfo> AllCommands() {
    return kCommands;
}

std::span<const char* const> MenuPopupTitles() {
    return kPopupTitles;
}

} // namespace kurvon
