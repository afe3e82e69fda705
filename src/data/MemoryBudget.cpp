#include "data/MemoryBudget.h"

#include <limits>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#elif defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace kurvon {

std::uint64_t PhysicalMemoryBytes() {
#if defined(_SC_PHYS_PAGES) && defined(_SC_PAGESIZE)
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
#elif defined(_WIN32)
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (::GlobalMemoryStatusEx(&status))
        return status.ullTotalPhys;
#endif
    return std::uint64_t(8) << 30;
}

std::uint64_t DataSetBytes(std::uint64_t records, std::uint64_t channels) {
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    if (records > (kMax - kPerChannelOverhead) / 5)
        return channels == 0 ? 0 : kMax;
    const std::uint64_t summary = (records / 64 + 1) * 12;
    const std::uint64_t perChannel = records * 4 + summary + kPerChannelOverhead;
    if (channels != 0 && perChannel > kMax / channels)
        return kMax;
    return perChannel * channels;
}

} // namespace kurvon
