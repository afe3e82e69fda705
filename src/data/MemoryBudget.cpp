#include "data/MemoryBudget.h"

#include <limits>

namespace kurvon {

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
