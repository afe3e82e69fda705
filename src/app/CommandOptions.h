#pragma once
// The option values the command-line uses share: whole numbers, pairs such as WxH or
// FIRST:LAST, and channel lists i,j,... Each parser accepts the whole text or nothing.

#include <charconv>
#include <string_view>
#include <utility>
#include <vector>

namespace kurvon {

template <class T> bool ParseNumber(std::string_view text, T& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

template <class T> bool ParsePair(std::string_view text, char separator, std::pair<T, T>& out) {
    const std::size_t at = text.find(separator);
    return at != std::string_view::npos && ParseNumber(text.substr(0, at), out.first) &&
           ParseNumber(text.substr(at + 1), out.second);
}

// Appends 0-based channel numbers.
bool ParseChannels(std::string_view text, std::vector<int>& channels);

} // namespace kurvon
