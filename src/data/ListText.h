#pragma once
// The channel list's minimum and maximum texts: "%.2f" of the value widened to double, with a
// '.' whatever the process locale says.

#include <string>

namespace kurvon {

std::string FormatListValue(float value);

} // namespace kurvon
