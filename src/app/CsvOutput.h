#pragma once
// Where the CSV commands write: "-" is standard output; a file gets a UTF-8 byte-order mark (for
// spreadsheets) and is written under a temporary name renamed over it, so a failure leaves
// nothing partial and any existing file intact; a link's target is written, the link stays.

#include "data/CsvExport.h"

#include <functional>
#include <ostream>
#include <string>

namespace kurvon {

// Runs `produce` with a sink for `path` (or `out` for "-"). Empty when all was written, else
// the one-line reason. `produce` gets whether a byte-order mark belongs first.
std::string WriteCsvOutput(const std::string& path, std::ostream& out,
                           const std::function<bool(bool bom, const CsvSink&)>& produce);

} // namespace kurvon
