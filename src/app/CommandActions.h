#pragma once
// One QAction per row of the command table, shared by the menu, the keys and the tool bar.

#include "app/Commands.h"

#include <QList>
#include <QObject>
#include <functional>
#include <vector>

class QAction;
class QWidget;

namespace kurvon {

class CommandActions : public QObject {
    Q_OBJECT
public:
    // Actions are parented to (and their shortcuts live in) the given window.
    explicit CommandActions(QWidget* window);

    QAction* Action(CommandId id) const;

    // The actions placed by slotOf (a slot, or a negative number for none) in slot order, with a
    // null entry for each unused slot between two of them.
    QList<QAction*> InSlots(const std::function<int(const CommandInfo&)>& slotOf) const;

    // The enabling pass: every command with a rule is enabled as its rule says.
    void UpdateEnabled(const ViewState& state);

private:
    std::vector<QAction*> m_actions; // one per row of AllCommands(), in its order
};

} // namespace kurvon
