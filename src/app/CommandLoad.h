#pragma once
// The load every command-line use shares: a file's problems said before reading, then the
// loader without progress.

#include "data/Loader.h"

#include <string>

namespace kurvon {

// Loads path for a command; empty when it loaded, else the one-line reason.
std::string LoadForCommand(const std::string& path, LoadResult& result);

} // namespace kurvon
