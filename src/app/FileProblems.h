#pragma once
// Plain words for why a data file cannot be shown, for the command-line uses of kurvon. The
// window keeps its own fixed messages.

#include "data/Loader.h"

#include <string>

namespace kurvon {

// Why `path` cannot be read as a data file ("PATH: No such file or directory", "PATH is a
// folder", "PATH is empty", ...), in the system's words where it has them. Empty when it opens.
std::string DataFileProblem(const std::string& path);

// The line for a load that ended with `status` (not Loaded).
std::string LoadFailureText(LoadStatus status, const std::string& path);

} // namespace kurvon
