#pragma once
// "%.2f" and "%d" as the chart prints them, independent of the process locale (Qt applies the
// environment's locale to the C library at start-up, which would turn 1.50 into 1,50).

#include <cstdint>
#include <string>

namespace kurvon {

std::string FormatFixed2(double value);
std::string FormatInteger(std::int64_t value);

} // namespace kurvon
