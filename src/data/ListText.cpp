#include "data/ListText.h"

#include <charconv>

namespace kurvon {

std::string FormatListValue(float value) {
    // Wide enough for FLT_MAX in fixed notation.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

} // namespace kurvon
