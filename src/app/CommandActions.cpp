#include "app/CommandActions.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace kurvon {

CommandActions::CommandActions(QWidget* window) : QObject(window) {
    for (const CommandInfo& info : AllCommands()) {
        auto* action = new QAction(QString::fromUtf8(info.menuText), window);
        action->setStatusTip(QString::fromUtf8(info.prompt));
        action->setToolTip(QString::fromUtf8(info.tooltip));
        QList<QKeySequence> keys;
        for (QKeyCombination key : info.keys)
            if (key.key() != Qt::Key_unknown)
                keys.append(QKeySequence(key));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        // The menu shows the hint written after the tab, not Qt's rendering of the keys.
        action->setShortcutVisibleInContextMenu(false);
        action->setIconVisibleInMenu(false); // the tool bar images are for the tool bar only
        action->setCheckable(info.checkable);
        action->setData(static_cast<int>(info.id));
        window->addAction(action);
        m_actions.push_back(action);
    }
    // Until a view reports its state, the commands stand as for an empty one.
    UpdateEnabled(ViewState());
}

QAction* CommandActions::Action(CommandId id) const {
    const std::span<const CommandInfo> commands = AllCommands();
    for (std::size_t row = 0; row < commands.size(); ++row)
        if (commands[row].id == id)
            return m_actions[row];
    return nullptr;
}

QList<QAction*>
CommandActions::InSlots(const std::function<int(const CommandInfo&)>& slotOf) const {
    const std::span<const CommandInfo> commands = AllCommands();
    QList<QAction*> placed;
    for (std::size_t row = 0; row < commands.size(); ++row) {
        const int slot = slotOf(commands[row]);
        if (slot < 0)
            continue;
        if (placed.size() <= slot)
            placed.resize(slot + 1, nullptr);
        placed[slot] = m_actions[row];
    }
    return placed;
}

void CommandActions::UpdateEnabled(const ViewState& state) {
    const std::span<const CommandInfo> commands = AllCommands();
    for (std::size_t row = 0; row < commands.size(); ++row)
        if (commands[row].enabled)
            m_actions[row]->setEnabled(commands[row].enabled(state));
}

} // namespace kurvon
