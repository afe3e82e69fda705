#pragma once
// std::filesystem paths from and to the UTF-8 text that stands for a path everywhere else. The
// narrow path constructor and string() would go through the ANSI code page on Windows.

#include <filesystem>
#include <string>

namespace kurvon {

inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace kurvon
