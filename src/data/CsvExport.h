#pragma once
// The records of a window as CSV (RFC 4180): CR LF line ends; a field is quoted when it holds
// a comma, a quote, CR, LF or leading or trailing spaces, quotes doubled. The first row is
// "record" and the channel names, then one row per record: its 0-based index and each value as
// the shortest text that reads back to the same 32-bit float ("inf", "-inf" for infinities).
// The text is handed out in chunks of about a megabyte, so nothing grows with the data; rows are
// formatted on two threads.

#include "data/DataSet.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvon {

struct CsvExportJob {
    const DataSet* data = nullptr;
    std::uint32_t first = 0; // inclusive window, last < record count
    std::uint32_t last = 0;
    std::vector<std::uint32_t> channels; // each < channel count
    std::vector<std::string> names;      // per entry of channels, UTF-8
    bool byteOrderMark = false;          // UTF-8 BOM first, for spreadsheets
};

// A false result from write stops the export.
using CsvSink = std::function<bool(const char* bytes, std::size_t size)>;

// False when the sink refused a chunk.
bool WriteCsv(const CsvExportJob& job, const CsvSink& write);

// One field, quoted when it needs to be.
void AppendCsvField(std::string& out, std::string_view text);

} // namespace kurvon
