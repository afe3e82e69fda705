#include "data/CsvExport.h"

#include "data/TwoThreads.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace kurvon {
namespace {

constexpr std::size_t kChunk = std::size_t(1) << 20;

bool NeedsQuotes(std::string_view text) {
    if (text.empty())
        return false;
    return text.front() == ' ' || text.back() == ' ' ||
           text.find_first_of(",\"\r\n") != std::string_view::npos;
}

template <class T> void AppendNumber(std::string& out, T value) {
    char buffer[48];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

} // namespace

void AppendCsvField(std::string& out, std::string_view text) {
    if (!NeedsQuotes(text)) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (char c : text) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

namespace {

// The longest text of one number: a 20-digit index, or a float such as -1.1754944e-38.
constexpr std::size_t kNumberMax = 24;

// The rows of records [begin, end) appended to out, written in place: appending each number
// separately costs more than formatting it.
void FormatRows(const std::vector<const float*>& columns, std::uint64_t begin, std::uint64_t end,
                std::string& out) {
    const std::size_t rowMax = (columns.size() + 1) * (kNumberMax + 1) + 2;
    std::size_t used = out.size();
    for (std::uint64_t r = begin; r < end; ++r) {
        if (out.size() < used + rowMax)
            out.resize(std::max(2 * out.size(), used + rowMax));
        char* p = out.data() + used;
        char* const limit = out.data() + out.size();
        p = std::to_chars(p, limit, r).ptr;
        for (const float* column : columns) {
            *p++ = ',';
            p = std::to_chars(p, limit, column[r]).ptr;
        }
        *p++ = '\r';
        *p++ = '\n';
        used = static_cast<std::size_t>(p - out.data());
    }
    out.resize(used);
}

} // namespace

bool WriteCsv(const CsvExportJob& job, const CsvSink& write) {
    std::string head;
    if (job.byteOrderMark)
        head.append("\xEF\xBB\xBF");
    head.append("record");
    for (const std::string& name : job.names) {
        head.push_back(',');
        AppendCsvField(head, name);
    }
    head.append("\r\n");
    if (!write(head.data(), head.size()))
        return false;

    std::vector<const float*> columns;
    for (std::uint32_t c : job.channels)
        columns.push_back(job.data->Channel(c));
    // About a megabyte of text per block; two blocks are formatted at once, one on a helper
    // thread, and written in order.
    const std::uint64_t rowsPerBlock =
        std::max<std::uint64_t>(1, kChunk / (12 * (columns.size() + 1)));
    std::string blocks[2];
    const std::uint64_t end = std::uint64_t(job.last) + 1;
    for (std::uint64_t r = job.first; r < end;) {
        const std::uint64_t mid = std::min(end, r + rowsPerBlock);
        const std::uint64_t stop = std::min(end, mid + rowsPerBlock);
        const std::uint64_t bounds[3] = {r, mid, stop};
        RunOnTwoThreads(2, [&](std::uint32_t a, std::uint32_t b) {
            for (std::uint32_t h = a; h < b; ++h) {
                blocks[h].clear();
                FormatRows(columns, bounds[h], bounds[h + 1], blocks[h]);
            }
        });
        for (const std::string& block : blocks) {
            if (!block.empty() && !write(block.data(), block.size()))
                return false;
        }
        r = stop;
    }
    return true;
}

} // namespace kurvon
