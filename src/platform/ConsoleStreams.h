#pragma once
// Standard output and error as the command line needs them on every platform.

namespace kurvon {

// Windows: on a console, std::cout and std::cerr write wide characters, so Chinese names show
// whatever the console's code page; into a pipe or a file they write the UTF-8 bytes as given,
// line ends untranslated, the same bytes as on POSIX. POSIX: nothing to do. Call once, first.
void SetUpStandardStreams();

} // namespace kurvon
