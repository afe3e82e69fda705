#pragma once
// "%.2f" and "%d" as the chart and the channel list print them, independent of the process
// locale (Qt applies the environment's locale to the C library at start-up: 1.50 would be 1,50).

#include <cstdint>
#include <string>

namespace kurvon {

std::string FormatFixed2(double value);
std::string FormatInteger(std::int64_t value);

} // namespace kurvon
