#include "data/ChannelColors.h"

namespace kurvon {

ColorRef DrawChannelColor(PortableRand& rand) {
    // Each component is drawn in its own statement: the order of the draws is part of the rule.
    unsigned r = static_cast<unsigned>(rand.Next() % 240);
    unsigned g = static_cast<unsigned>(rand.Next() % 240);
    unsigned b = static_cast<unsigned>(rand.Next() % 240);
    if (r > 220 && g > 220 && b > 220) {
        r = static_cast<unsigned>(rand.Next() % 200);
        g = static_cast<unsigned>(rand.Next() % 200);
        b = static_cast<unsigned>(rand.Next() % 200);
    }
    if (r < 100 && g < 100 && b < 100) {
        r += static_cast<unsigned>(rand.Next() % 100);
        g += static_cast<unsigned>(rand.Next() % 100);
        b += static_cast<unsigned>(rand.Next() % 100);
    }
    return r + g * 256 + b * 65536;
}

std::vector<ColorRef> DrawChannelColors(std::uint32_t count, std::uint32_t seed) {
    PortableRand rand(seed);
    std::vector<ColorRef> colors(count);
    for (auto& color : colors)
        color = DrawChannelColor(rand);
    return colors;
}

} // namespace kurvon
