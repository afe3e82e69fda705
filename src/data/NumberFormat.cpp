#include "data/NumberFormat.h"

#include <charconv>

namespace kurvon {

std::string FormatFixed2(double value) {
    char buffer[400]; // the longest double in fixed notation has 309 integer digits
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

std::string FormatInteger(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace kurvon
