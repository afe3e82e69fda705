#pragma once
// One QAction per command, shared by the menu, the keys and the tool bar.

#include "app/Commands.h"

#include <QObject>
#include <map>

class QAction;
class QWidget;

namespace kurvon {

class CommandActions : public QObject {
    Q_OBJECT
public:
    // Actions are parented to (and their shortcuts live in) the given window.
    explicit CommandActions(QWidget* window);

    QAction* Action(CommandId id) const;

private:
    std::map<int, QAction*> m_actions;
};

} // namespace kurvon
