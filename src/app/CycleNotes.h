#pragma once
// The words around the cycle table: the channel names the roles are read from, what the panel
// says about roles it did not find, and the status bar's "循环 12 / 850".

#include "analysis/ChannelRoles.h"
#include "data/DataSet.h"

#include <QString>
#include <string>
#include <vector>

namespace kurvon {

// The channel names as UTF-8.
std::vector<std::string> DecodedNames(const DataSet& data);

// Empty when every role has a channel.
QString MissingRolesNote(const ChannelRoles& roles);
// The panel's note when the table could not be computed for want of memory.
QString CyclesOutOfMemoryNote();

// shown counts from 0.
QString CycleStatusText(std::size_t shown, std::size_t count);

} // namespace kurvon
