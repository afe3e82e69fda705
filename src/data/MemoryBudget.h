#pragma once
// Whether a data set of a given size can be held at all, so that a huge file fails its load
// with a status instead of exhausting memory. The machine's memory comes from
// platform/SystemAccess (PhysicalMemoryBytes).

#include <cstdint>

namespace kurvon {

// Bytes of a data set beyond its values: column header and allocation, name, colour, extremes.
constexpr std::uint64_t kPerChannelOverhead = 160;

// The bytes a data set of this shape takes, values and min/max summaries, saturating instead of
// overflowing. A summary takes 9 bytes per 64 records, and a third of that again above it.
std::uint64_t DataSetBytes(std::uint64_t records, std::uint64_t channels);

} // namespace kurvon
