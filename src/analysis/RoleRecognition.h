#pragma once
// The roles read from channel names as rigs write them, in English or Chinese, any letter case:
// "Cyc#", "cycle_index", "循环号"; "Amps", "<I>/mA", "电流(A)"; "Volts", "Ewe/V", "电压(mV)";
// "Test (Sec)", "time/s", "时间(h)". A unit is taken from parentheses (also full-width) or
// brackets at the end of the name, or from the text after its last slash; without one a role
// takes its default unit. A name whose unit does not fit its role (or is unknown) is not taken:
// a role that is not found stays empty rather than being guessed from another channel.

#include "analysis/ChannelRoles.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvon {

struct RecognisedName {
    Role role;
    Unit unit;
};

// The role a single name stands for, with its unit.
std::optional<RecognisedName> RecogniseName(std::string_view utf8Name);

// Each role's first channel in file order; names are UTF-8.
ChannelRoles RecogniseRoles(const std::vector<std::string>& utf8Names);

// The unit of a channel chosen for a role: the one its name gives when it fits the role, else
// the role's default.
Unit UnitFromName(Role role, std::string_view utf8Name);

// The unit a role's unit text (as written after a slash or in parentheses) means, if any.
std::optional<Unit> ParseUnit(Role role, std::string_view text);

} // namespace kurvon
