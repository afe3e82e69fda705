#include "data/ListText.h"

#include "data/NumberFormat.h"

namespace kurvon {

std::string FormatListValue(float value) {
    return FormatFixed2(static_cast<double>(value));
}

} // namespace kurvon
