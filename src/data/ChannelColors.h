#pragma once
// Random curve colours: not too light to see on white (never all three components above 220,
// each below 240) and not too dark.

#include "data/DataSet.h"
#include "platform/PortableRand.h"

#include <cstdint>
#include <vector>

namespace kurvon {

ColorRef DrawChannelColor(PortableRand& rand);

// One colour per channel, in channel order, from a generator seeded once with seed.
std::vector<ColorRef> DrawChannelColors(std::uint32_t count, std::uint32_t seed);

} // namespace kurvon
