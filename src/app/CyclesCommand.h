#pragma once
// kurvon --cycles OUT FILE [--cycle-channel CH] [--current CH] [--voltage CH] [--time CH]
//        [--inverse-efficiency]
// Loads FILE and writes its cycle table as CSV, as --export writes records (OUT "-" is standard
// output). The roles are recognised from the channel names unless given: CH is a channel number
// from 0 or a channel's name, optionally followed by ":UNIT" (A, mA; V, mV; s, min, h), or
// "none". A role that is not found is said on err; without a cycle and a current channel there
// is no table.
//
// kurvon --cycles-picture OUT FILE [the same options] [--size WxH]
// The fade chart (discharge capacity and coulombic efficiency over the cycle number) as a PNG or
// a BMP by OUT's suffix, W x H pixels (default 800 x 400), written whole or not at all.

#include <ostream>
#include <string>
#include <vector>

namespace kurvon {

// Whether an argument is one of the role options --cycles takes.
bool IsCyclesOption(const std::string& argument);

// args start with "--cycles" or "--cycles-picture". 0 on success; otherwise one line on err and
// kExitUsage or kExitFailure.
int RunCyclesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kurvon
