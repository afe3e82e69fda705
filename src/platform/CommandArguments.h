#pragma once
// The program's arguments, without its name, as UTF-8 on every platform.

#include <string>
#include <vector>

namespace kurvon {

// POSIX: argv as given (file names are bytes there). Windows: the wide command line, since
// argv is in the ANSI code page and loses every letter outside it.
std::vector<std::string> CommandArguments(int argc, char** argv);

} // namespace kurvon
