#include "app/CycleNotes.h"

#include "platform/TextDecode.h"

#include <QStringList>

namespace kurvon {

std::vector<std::string> DecodedNames(const DataSet& data) {
    std::vector<std::string> names;
    names.reserve(data.names.size());
    for (const std::string& name : data.names)
        names.push_back(DecodeTextToUtf8(name, data.nameEncoding));
    return names;
}

QString MissingRolesNote(const ChannelRoles& roles) {
    if (!roles[Role::Cycle].channel && !roles[Role::Current].channel)
        return QStringLiteral("未找到循环通道和电流通道，无法划分循环（循环 → 通道角色）");
    QStringList missing;
    for (Role role : kAllRoles) {
        if (!roles[role].channel)
            missing.append(QString::fromUtf8(RoleNameZh(role)) + QStringLiteral("通道"));
    }
    if (missing.isEmpty())
        return {};
    QString note = QStringLiteral("未找到") + missing.join(QStringLiteral("、"));
    note += roles[Role::Cycle].channel ? QStringLiteral("，相关数值留空")
                                       : QStringLiteral("，按电流划分循环");
    return note + QStringLiteral("（循环 → 通道角色）");
}

QString CyclesOutOfMemoryNote() {
    return QStringLiteral("内存不足，无法计算循环表");
}

QString CycleStatusText(std::size_t shown, std::size_t count) {
    return QStringLiteral("循环 %1 / %2").arg(shown + 1).arg(count);
}

} // namespace kurvon
