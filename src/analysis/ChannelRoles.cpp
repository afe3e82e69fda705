#include "analysis/ChannelRoles.h"

namespace kurvon {

Unit DefaultUnit(Role role) {
    return UnitsOf(role)[0];
}

std::array<Unit, 3> UnitsOf(Role role) {
    switch (role) {
    case Role::Current:
        return {Unit::A, Unit::mA, Unit::None};
    case Role::Voltage:
        return {Unit::V, Unit::mV, Unit::None};
    case Role::Time:
        return {Unit::s, Unit::min, Unit::h};
    case Role::Cycle:
        break;
    }
    return {Unit::None, Unit::None, Unit::None};
}

bool UnitFits(Role role, Unit unit) {
    if (role == Role::Cycle)
        return unit == Unit::None;
    for (Unit u : UnitsOf(role))
        if (u == unit && u != Unit::None)
            return true;
    return false;
}

double ToBaseFactor(Unit unit) {
    switch (unit) {
    case Unit::mA:
    case Unit::mV:
        return 1e-3;
    case Unit::min:
        return 60.0;
    case Unit::h:
        return 3600.0;
    case Unit::None:
    case Unit::A:
    case Unit::V:
    case Unit::s:
        break;
    }
    return 1.0;
}

std::string_view UnitText(Unit unit) {
    switch (unit) {
    case Unit::A:
        return "A";
    case Unit::mA:
        return "mA";
    case Unit::V:
        return "V";
    case Unit::mV:
        return "mV";
    case Unit::s:
        return "s";
    case Unit::min:
        return "min";
    case Unit::h:
        return "h";
    case Unit::None:
        break;
    }
    return "";
}

std::string_view RoleName(Role role) {
    switch (role) {
    case Role::Cycle:
        return "cycle";
    case Role::Current:
        return "current";
    case Role::Voltage:
        return "voltage";
    case Role::Time:
        return "time";
    }
    return "";
}

std::string_view RoleNameZh(Role role) {
    switch (role) {
    case Role::Cycle:
        return "循环";
    case Role::Current:
        return "电流";
    case Role::Voltage:
        return "电压";
    case Role::Time:
        return "时间";
    }
    return "";
}

} // namespace kurvon
