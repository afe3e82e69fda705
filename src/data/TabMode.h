#pragma once
// Which rule cuts a file's lines. Tab-separated exports put spaces into names ("Test (Sec)") and
// values (a date-time); cut at runs of spaces their columns slide. Tabs are taken as the only
// separator only where the usual rule plainly misaligns the table: the names line holds a tab,
// cut at tabs it gives as many fields as the first data line and no empty name, and the usual
// rule gives the two lines different numbers of fields.

#include "data/FieldRule.h"

#include <string_view>

namespace kurvon {

FieldMode ChooseFieldMode(std::string_view namesLine, std::string_view firstDataLine);

} // namespace kurvon
