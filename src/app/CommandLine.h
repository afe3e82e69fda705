#pragma once
// The command-line uses of kurvon that need no window: --info, --export, --version and --help.

#include "app/CommandLoad.h"
#include "data/Loader.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kurvon {

std::string UsageText();

// Loads path and prints its channel and record counts, zoom step and one line per channel
// (index, name, minimum, maximum). 0 on success; otherwise one line on err and nonzero.
int RunInfoCommand(const std::string& path, std::ostream& out, std::ostream& err);

// Handles --info, --version and --help (arguments without the program name). Nothing when the
// arguments are meant for the window.
std::optional<int> RunCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                  std::ostream& err);

// What the window is started with, once RunCommandLine has let the arguments through.
struct WindowArguments {
    std::string file; // empty: none
    bool follow = true;
};
bool IsFollowOption(const std::string& arg);
// args: the arguments after the program name, UTF-8.
WindowArguments WindowArgumentsOf(const std::vector<std::string>& args);

} // namespace kurvon
