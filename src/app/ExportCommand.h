#pragma once
// kurvon --export OUT FILE [--window FIRST:LAST] [--channels i,j,...]: the records of the window
// (default all) and the channels given (default all, in file order) as CSV. OUT "-" is standard
// output; a file gets a UTF-8 byte-order mark and is written under a temporary name renamed over
// OUT, so a failure leaves nothing partial and any existing file intact.

#include <ostream>
#include <string>
#include <vector>

namespace kurvon {

// args start with "--export". 0 on success; otherwise one line on err and kExitUsage or
// kExitFailure.
int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kurvon
