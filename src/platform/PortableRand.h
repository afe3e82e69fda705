#pragma once
// A rand that draws the same numbers on every platform: the classic linear congruential
// generator with 15-bit results, so colours seeded alike come out alike everywhere.

#include <cstdint>

namespace kurvon {

class PortableRand {
public:
    static constexpr int kMax = 0x7FFF;

    explicit PortableRand(std::uint32_t seed = 1) : m_state(seed) {}

    void Seed(std::uint32_t seed) { m_state = seed; }
    int Next();

private:
    std::uint32_t m_state;
};

} // namespace kurvon
