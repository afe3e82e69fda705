#pragma once
// The small dialog of the four roles: for each, a channel (or none) and a unit. Choosing a
// channel sets the unit its name gives, else the role's default.

#include "analysis/ChannelRoles.h"

#include <QDialog>
#include <array>
#include <string>
#include <vector>

class QComboBox;

namespace kurvon {

class CChannelRolesDlg : public QDialog {
    Q_OBJECT
public:
    CChannelRolesDlg(const std::vector<std::string>& names, const ChannelRoles& current,
                     QWidget* parent = nullptr);

    ChannelRoles Roles() const;
    QComboBox* ChannelBox(Role role) const { return m_channels[static_cast<std::size_t>(role)]; }
    QComboBox* UnitBox(Role role) const { return m_units[static_cast<std::size_t>(role)]; }

private:
    std::vector<std::string> m_names;
    std::array<QComboBox*, 4> m_channels{};
    std::array<QComboBox*, 4> m_units{};
};

} // namespace kurvon
