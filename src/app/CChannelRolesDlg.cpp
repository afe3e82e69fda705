#include "app/CChannelRolesDlg.h"

#include "analysis/RoleRecognition.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>

namespace kurvon {

CChannelRolesDlg::CChannelRolesDlg(const std::vector<std::string>& names,
                                   const ChannelRoles& current, QWidget* parent)
    : QDialog(parent), m_names(names) {
    setWindowTitle(QStringLiteral("通道角色"));
    auto* form = new QFormLayout;
    for (Role role : kAllRoles) {
        const auto r = static_cast<std::size_t>(role);
        auto* channel = new QComboBox;
        channel->addItem(QStringLiteral("(无)"));
        for (std::size_t c = 0; c < names.size(); ++c)
            channel->addItem(QString::number(c) + QStringLiteral(": ") +
                             QString::fromStdString(names[c]));
        auto* unit = new QComboBox;
        for (Unit u : UnitsOf(role))
            if (u != Unit::None)
                unit->addItem(QString::fromUtf8(UnitText(u)), static_cast<int>(u));
        unit->setEnabled(role != Role::Cycle);
        const RoleChoice& choice = current[role];
        channel->setCurrentIndex(choice.channel && *choice.channel < names.size()
                                     ? static_cast<int>(*choice.channel) + 1
                                     : 0);
        if (const int at = unit->findData(static_cast<int>(choice.unit)); at >= 0)
            unit->setCurrentIndex(at);
        connect(channel, &QComboBox::currentIndexChanged, this, [this, role, unit](int index) {
            if (index <= 0)
                return;
            const Unit named = UnitFromName(role, m_names[static_cast<std::size_t>(index - 1)]);
            if (const int at = unit->findData(static_cast<int>(named)); at >= 0)
                unit->setCurrentIndex(at);
        });
        auto* row = new QHBoxLayout;
        row->addWidget(channel, 1);
        row->addWidget(unit);
        form->addRow(QString::fromUtf8(RoleNameZh(role)) + QStringLiteral("通道:"), row);
        m_channels[r] = channel;
        m_units[r] = unit;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setLayout(form);
}

ChannelRoles CChannelRolesDlg::Roles() const {
    ChannelRoles roles;
    for (Role role : kAllRoles) {
        const auto r = static_cast<std::size_t>(role);
        const int index = m_channels[r]->currentIndex();
        if (index > 0)
            roles[role].channel = static_cast<std::uint32_t>(index - 1);
        roles[role].unit =
            role == Role::Cycle ? Unit::None : static_cast<Unit>(m_units[r]->currentData().toInt());
    }
    return roles;
}

} // namespace kurvon
