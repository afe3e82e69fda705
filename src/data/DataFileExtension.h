#pragma once
// Which dropped files are taken for data files: the name must end in ".kvd" exactly (case
// counts), trailing spaces aside.

#include <optional>
#include <string>
#include <string_view>

namespace kurvon {

// The path with its trailing spaces removed when it passes, nothing otherwise.
std::optional<std::string> AcceptDataFilePath(std::string_view path);

} // namespace kurvon
