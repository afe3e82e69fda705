#include "app/CommandActions.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace kurvon {
namespace {

QList<QKeySequence> KeysFor(CommandId id) {
    // "=" and "-" are the unshifted keys: a typed "+" (Shift and =) matches nothing.
    switch (id) {
    case ID_OPEN:
        return {QKeySequence(Qt::CTRL | Qt::Key_O)};
    case ID_SAVE_PICTURE:
        return {QKeySequence(Qt::CTRL | Qt::Key_S)};
    case ID_CLEAR:
        return {QKeySequence(Qt::Key_Delete)};
    case ID_BACK:
        return {QKeySequence(Qt::Key_Left)};
    case ID_FORWARD:
        return {QKeySequence(Qt::Key_Right)};
    case ID_ZOOM_IN:
        return {QKeySequence(Qt::Key_Equal), QKeySequence(Qt::Key_Up)};
    case ID_ZOOM_OUT:
        return {QKeySequence(Qt::Key_Minus), QKeySequence(Qt::Key_Down)};
    case ID_SHOW_ALL:
        return {QKeySequence(Qt::Key_F1)};
    default:
        return {};
    }
}

} // namespace

CommandActions::CommandActions(QWidget* window) : QObject(window) {
    for (const CommandInfo& info : AllCommands()) {
        auto* action = new QAction(QString::fromUtf8(info.menuText), window);
        action->setStatusTip(QString::fromUtf8(info.prompt));
        action->setToolTip(QString::fromUtf8(info.tooltip));
        action->setShortcuts(KeysFor(info.id));
        action->setShortcutContext(Qt::WindowShortcut);
        // The menu shows the hint written after the tab, not Qt's rendering of the keys.
        action->setShortcutVisibleInContextMenu(false);
        action->setIconVisibleInMenu(false); // the tool bar images are for the tool bar only
        action->setData(static_cast<int>(info.id));
        window->addAction(action);
        m_actions.emplace(info.id, action);
    }
    Action(ID_DATA_POINTS)->setEnabled(false);
    Action(ID_VIEW_TOOLBAR)->setCheckable(true);
    Action(ID_VIEW_STATUS_BAR)->setCheckable(true);
}

QAction* CommandActions::Action(CommandId id) const {
    return m_actions.at(id);
}

} // namespace kurvon
