#pragma once
// Which channel holds the cycle number, the current, the voltage and the time, and in which
// unit. Recognised from the channel names (RoleRecognition.h) and changeable by the user.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kurvon {

enum class Role { Cycle, Current, Voltage, Time };
inline constexpr std::array<Role, 4> kAllRoles{Role::Cycle, Role::Current, Role::Voltage,
                                               Role::Time};

// None is the cycle channel's unit: its values are only compared.
enum class Unit { None, A, mA, V, mV, s, min, h };

struct RoleChoice {
    std::optional<std::uint32_t> channel; // none: not found or not chosen
    Unit unit = Unit::None;
    bool operator==(const RoleChoice&) const = default;
};

struct ChannelRoles {
    std::array<RoleChoice, 4> choices; // indexed by Role

    RoleChoice& operator[](Role role) { return choices[static_cast<std::size_t>(role)]; }
    const RoleChoice& operator[](Role role) const {
        return choices[static_cast<std::size_t>(role)];
    }
    bool operator==(const ChannelRoles&) const = default;
};

// The unit a role takes when the name gives none: A, V, s.
Unit DefaultUnit(Role role);
// The units a role may take, the default first.
std::array<Unit, 3> UnitsOf(Role role); // unused entries are Unit::None
bool UnitFits(Role role, Unit unit);
// Multiplies a value in `unit` into A, V or seconds.
double ToBaseFactor(Unit unit);

std::string_view UnitText(Unit unit);   // "A", "mA", ... ("" for None)
std::string_view RoleName(Role role);   // "cycle", "current", "voltage", "time"
std::string_view RoleNameZh(Role role); // "循环", "电流", "电压", "时间"

} // namespace kurvon
