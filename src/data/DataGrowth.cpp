#include "data/DataGrowth.h"

#include "data/ListText.h"
#include "data/MemoryBudget.h"
#include "platform/SystemAccess.h"

#include <cstring>
#include <limits>
#include <new>

namespace kurvon {

bool AppendGrowth(DataSet& data, GrowingData& growing, const Growth& growth,
                  std::vector<std::string>& listMin, std::vector<std::string>& listMax) {
    const std::uint32_t channels = data.channelCount;
    if (growth.columns.size() != channels || growing.settled.size() != channels)
        return false;
    const std::uint64_t kept = data.recordCount - (growth.retract && growing.provisional ? 1 : 0);
    const std::uint64_t count = kept + growth.records;
    if (count > std::numeric_limits<std::uint32_t>::max() ||
        DataSetBytes(count, channels) > PhysicalMemoryBytes())
        return false;
    std::uint32_t grown = 0;
    try {
        for (; grown < channels; ++grown)
            data.columns[grown].Resize(count);
    } catch (const std::bad_alloc&) {
        for (std::uint32_t c = 0; c < grown; ++c)
            data.columns[c].Resize(data.recordCount);
        return false;
    }
    const std::uint32_t newSettled = growth.records - (growth.provisional ? 1 : 0);
    listMin.resize(channels);
    listMax.resize(channels);
    for (std::uint32_t c = 0; c < channels; ++c) {
        float* values = data.columns[c].data();
        if (growth.records)
            std::memcpy(values + kept, growth.columns[c].data(), growth.records * sizeof(float));
        data.summaries[c].Extend(values, static_cast<std::uint32_t>(count),
                                 static_cast<std::uint32_t>(kept));
        Extremes& settled = growing.settled[c];
        ExtendExtremes(settled, values + kept, newSettled);
        Extremes e = settled;
        ExtendExtremes(e, values + kept + newSettled, growth.records - newSettled);
        listMin[c] = FormatListValue(e.minimum);
        listMax[c] = FormatListValue(e.maximum);
        data.maxima[c] = e.maximum;
        data.minima[c] = e.minimum;
    }
    data.recordCount = static_cast<std::uint32_t>(count);
    growing.provisional = growth.provisional;
    return true;
}

} // namespace kurvon
