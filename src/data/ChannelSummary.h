#pragma once
// A min/max pyramid over one channel: level 0 holds the value classes of blocks of 64 records,
// each higher level merges 4 blocks of the level below. Any record range is answered from at
// most 2 x 63 raw values plus 2 x 3 blocks per level, so the cost is logarithmic in its length.
// Memory: about 0.19 bytes per record, under 1/21 of the channel's 4.

#include "data/ValueClasses.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kurvon {

class ChannelSummary {
public:
    static constexpr unsigned kLeafShift = 6;
    static constexpr unsigned kFanShift = 2;

    void Build(const float* values, std::uint32_t count);
    // The same as Build(values, count) when the values before firstChanged are those the
    // summary was built or extended over: only the blocks from there on are made again.
    void Extend(const float* values, std::uint32_t count, std::uint32_t firstChanged);
    // The classes of values[first..last], inclusive; values is the channel the summary was built
    // from, last < its count.
    ValueClasses Range(const float* values, std::uint32_t first, std::uint32_t last) const;
    bool Empty() const { return m_levels.empty(); }
    // Built over a channel of `count` records.
    bool Covers(std::uint32_t count) const { return !m_levels.empty() && m_count == count; }
    std::size_t Bytes() const;
    bool operator==(const ChannelSummary&) const = default;

private:
    struct Level {
        void Resize(std::size_t n) {
            minFinite.resize(n);
            maxFinite.resize(n);
            flags.resize(n);
        }
        void Set(std::size_t i, const ValueClasses& c) {
            minFinite[i] = c.minFinite;
            maxFinite[i] = c.maxFinite;
            flags[i] = c.flags;
        }
        std::vector<float> minFinite;
        std::vector<float> maxFinite;
        std::vector<std::uint8_t> flags;
        ValueClasses At(std::size_t i) const { return {minFinite[i], maxFinite[i], flags[i]}; }
        bool operator==(const Level&) const = default;
    };
    std::vector<Level> m_levels;
    std::uint32_t m_count = 0;
};

} // namespace kurvon
