#include "data/DataFileExtension.h"

namespace kurvon {

std::optional<std::string> AcceptDataFilePath(std::string_view path) {
    while (!path.empty() && path.back() == ' ')
        path.remove_suffix(1);
    constexpr std::string_view kExtension = ".kvd";
    if (path.size() < kExtension.size() ||
        path.substr(path.size() - kExtension.size()) != kExtension)
        return std::nullopt;
    return std::string(path);
}

} // namespace kurvon
