#include "chart/FlatRange.h"

namespace kurvon {

std::pair<float, float> DisplayRange(const DataSet& data, int channel, bool primary) {
    const float maximum = data.maxima[channel] + 1.0f;
    const float minimum = data.minima[channel] - 1.0f;
    if (!primary || maximum != minimum)
        return {maximum, minimum};
    const float first = data.Value(static_cast<std::uint32_t>(channel), 0);
    return {first + 1.0f, first - 1.0f};
}

} // namespace kurvon
