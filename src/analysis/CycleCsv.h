#pragma once
// The cycle table as CSV, as kurvon --export writes records: CR LF line ends, each figure as the
// shortest text that reads back to the same 32-bit float ("inf", "-inf"), an empty field for an
// empty figure, record numbers from 0.

#include "analysis/CycleTable.h"

#include <string>
#include <string_view>

namespace kurvon {

// The header row's fields, in order, joined by commas.
std::string_view CycleCsvHeader();

// The header row and one row per cycle, each ending in CR LF.
std::string CycleCsvText(const CycleTable& table);

// One figure as the CSV writes it (empty for NaN).
std::string FigureText(double value);

} // namespace kurvon
