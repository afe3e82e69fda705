// The channel list's "通道角色" submenu: which role the row's channel plays, and in which unit.
#include "analysis/RoleRecognition.h"
#include "app/CKurvonView.h"
#include "app/CycleNotes.h"

#include <QActionGroup>
#include <QMenu>

namespace kurvon {

void CKurvonView::SetChannelRole(Role role, int channel, std::optional<Unit> unit) {
    if (!m_state.dataLoaded || m_state.loading || channel < -1 ||
        (channel >= 0 && static_cast<std::uint32_t>(channel) >= m_state.data.channelCount) ||
        (unit && channel >= 0 && !UnitFits(role, *unit)))
        return;
    RoleChoice choice;
    if (channel >= 0) {
        choice.channel = static_cast<std::uint32_t>(channel);
        const std::vector<std::string> names = DecodedNames(m_state.data);
        choice.unit = unit.value_or(UnitFromName(role, names[static_cast<std::size_t>(channel)]));
    }
    if (m_roles[role] == choice)
        return;
    m_roles[role] = choice;
    StartCycles();
}

void CKurvonView::AddRoleMenu(QMenu* menu, int row) {
    QMenu* roles = menu->addMenu(QStringLiteral("通道角色"));
    const bool usable = m_state.dataLoaded && !m_state.loading && row >= 0 &&
                        static_cast<std::uint32_t>(row) < m_state.data.channelCount;
    roles->setEnabled(usable);
    std::optional<Role> held; // the first role the row plays
    for (Role role : kAllRoles) {
        QAction* a = roles->addAction(
            QString::fromUtf8(RoleNameZh(role).data(), static_cast<int>(RoleNameZh(role).size())));
        a->setCheckable(true);
        const bool on = usable && m_roles[role].channel == static_cast<std::uint32_t>(row);
        a->setChecked(on);
        if (on && !held)
            held = role;
        // Ticking gives the role this channel; unticking leaves the role without one.
        connect(a, &QAction::triggered, this,
                [this, role, row](bool checked) { SetChannelRole(role, checked ? row : -1); });
    }
    if (!held || *held == Role::Cycle)
        return;
    roles->addSeparator();
    auto* units = new QActionGroup(roles);
    for (Unit unit : UnitsOf(*held)) {
        if (unit == Unit::None)
            continue;
        QAction* a = roles->addAction(
            QString::fromUtf8(UnitText(unit).data(), static_cast<int>(UnitText(unit).size())));
        a->setCheckable(true);
        a->setChecked(m_roles[*held].unit == unit);
        units->addAction(a);
        const Role role = *held;
        connect(a, &QAction::triggered, this,
                [this, role, row, unit] { SetChannelRole(role, row, unit); });
    }
}

} // namespace kurvon
