#pragma once
// Hand-made and random view states for the chart tests.

#include "chart/ViewState.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace kurvon {

// Stores extremes that the chart widens to the shown maximum and minimum (exactly so for the
// small whole numbers the hand-made states use).
inline void StoreShownRange(DataSet& d, std::size_t c, float minimum, float maximum) {
    d.minima[c] = minimum + 1.0f;
    d.maxima[c] = maximum - 1.0f;
}

// A channel's values by record, and the range the chart shows it over (its extremes widened).
struct TestChannel {
    std::string name;
    ColorRef color = 0;
    float minimum = 0.0f;
    float maximum = 10.0f;
    std::function<float(std::uint32_t)> value = [](std::uint32_t) { return 5.0f; };
};

// A loaded state showing `visible` with the whole data set in the window.
inline ViewState MakeLoadedState(std::uint32_t records, const std::vector<TestChannel>& channels,
                                 std::initializer_list<int> visible = {}) {
    ViewState state;
    DataSet& d = state.data;
    d.recordCount = records;
    d.channelCount = static_cast<std::uint32_t>(channels.size());
    for (const TestChannel& c : channels) {
        d.columns.emplace_back(records);
        for (std::uint32_t r = 0; r < records; ++r)
            d.columns.back()[r] = c.value(r);
        d.colors.push_back(c.color);
        d.names.push_back(c.name);
        d.minima.push_back(0.0f);
        d.maxima.push_back(0.0f);
        StoreShownRange(d, d.minima.size() - 1, c.minimum, c.maximum);
    }
    for (int c : visible)
        state.visible.Append(c);
    state.lastRecord = records - 1;
    state.dataLoaded = true;
    return state;
}

constexpr float kInf = std::numeric_limits<float>::infinity();

// One adversarial channel of `n` records.
inline std::vector<float> RandomChannel(std::uint32_t n, std::mt19937& rng) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const float level = unit(rng) * 20.0f - 10.0f, special[] = {std::nanf(""), kInf, -kInf};
    const std::uint32_t period = 1 + rng() % std::max<std::uint32_t>(1, n / 3);
    float step = level;
    const auto sign = [&rng] { return rng() % 2 ? 1.0f : -1.0f; };
    const std::function<float(std::uint32_t)> kinds[] = {
        [&](std::uint32_t) { return unit(rng) * 10.0f - 5.0f; }, // noise
        [&](std::uint32_t) { return step = rng() % 97 ? step : unit(rng) * 100.0f - 50.0f; },
        [&](std::uint32_t) { return rng() % 500 ? 1.0f : sign() * 1e3f; }, // spikes
        [&](std::uint32_t) { return level; },
        [&](std::uint32_t) { return sign() * 3.4e38f * (0.99f + 0.01f * unit(rng)); },
        [&](std::uint32_t) { return rng() % 300 ? unit(rng) : special[rng() % 3]; },
        [&](std::uint32_t) { return 1.0f + static_cast<float>(int(rng() % 5) - 2) * 1e-6f; },
        [&](std::uint32_t r) { return level + static_cast<float>(r) * 0.01f; },
        [&](std::uint32_t r) { return static_cast<float>(r % period); }, // saw teeth
        // Long flat stretches ending in a jump: the last column's final row.
        [&](std::uint32_t r) { return (r + 1) % period == 0 ? level + 5.0f : level; }};
    constexpr std::uint32_t kKinds = std::size(kinds);
    const std::uint32_t kind = rng() % (kKinds + 1); // the last: a different kind per record
    std::vector<float> v(n);
    for (std::uint32_t r = 0; r < n; ++r)
        v[r] = kinds[kind == kKinds ? rng() % kKinds : kind](r);
    return v;
}

// An x channel of n records: rising (irregular steps, pauses, a clock reset), back and forth
// (cycles of capacity, noisy voltage), with breaks, flat, or any adversarial channel.
inline std::vector<float> RandomXChannel(std::uint32_t n, std::mt19937& rng) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<float> x(n);
    const std::uint32_t period = 2 + rng() % std::max<std::uint32_t>(2, n / (1 + rng() % 40));
    const float level = unit(rng) * 100.0f;
    float t = level;
    switch (rng() % 7) {
    case 0: // time: rising, irregular steps and pauses
        for (float& v : x)
            v = t += rng() % 4 ? unit(rng) * 3.0f : 0.0f;
        break;
    case 1: // capacity: up and down over cycles, with noise
        for (std::uint32_t r = 0; r < n; ++r) {
            const float phase = static_cast<float>(r % period) / static_cast<float>(period);
            x[r] = 2.5f * (phase < 0.5f ? phase : 1.0f - phase) + 1e-3f * unit(rng);
        }
        break;
    case 2: // voltage-like noise
        for (float& v : x)
            v = 3.0f + unit(rng);
        break;
    case 3: // rising with breaks
        for (std::uint32_t r = 0; r < n; ++r)
            x[r] = rng() % 50 ? static_cast<float>(r) : (rng() % 2 ? kInf : std::nanf(""));
        break;
    case 4: // flat, or flat at the float limit
        std::fill(x.begin(), x.end(), rng() % 2 ? level : 3.4e38f);
        break;
    case 5: // rising in long steps (many records per column)
        for (std::uint32_t r = 0; r < n; ++r)
            x[r] = static_cast<float>(r / period);
        break;
    default:
        x = RandomChannel(n, rng);
    }
    return x;
}

// Cycling data as a rig records it, dense enough that most segments join neighbouring pixels and
// the cycles retrace each other: capacity up and down with a slow fade and rests (x), a smooth
// voltage, a noisy temperature, a clock, now and then a record without x or an odd y.
inline ViewState DenseCycling(std::mt19937& rng, std::uint32_t n) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const std::uint32_t period = 500 + rng() % 20000;
    const float jitter = unit(rng) * 0.05f;
    const float oddRate = rng() % 3 ? 0.0f : 0.002f;
    std::vector<TestChannel> channels(4);
    ViewState s = MakeLoadedState(n, channels);
    for (std::uint32_t r = 0; r < n; ++r) {
        const float fade = 1.0f - 0.2f * static_cast<float>(r) / static_cast<float>(n);
        const float phase = static_cast<float>(r % period) / static_cast<float>(period);
        const float q = 2.5f * fade * std::min(1.0f, 2.5f * std::abs(phase - 0.5f));
        const bool odd = unit(rng) < oddRate;
        s.data.columns[0][r] = odd && rng() % 2 ? std::nanf("") : q + jitter * unit(rng) * 0.01f;
        s.data.columns[1][r] = 3.0f + q / 2.0f + (phase < 0.5f ? 0.1f : -0.1f);
        s.data.columns[2][r] =
            odd ? (rng() % 2 ? kInf : std::nanf("")) : 30.0f + jitter * unit(rng);
        s.data.columns[3][r] = static_cast<float>(r);
    }
    for (std::uint32_t c = 0; c < 4; ++c) {
        const auto [lo, hi] =
            std::minmax_element(s.data.columns[c].begin(), s.data.columns[c].end());
        s.data.minima[c] = std::isfinite(*lo) ? *lo - 0.01f : 0.0f;
        s.data.maxima[c] = std::isfinite(*hi) ? *hi + 0.01f : 40.0f;
        s.data.colors[c] = 0x102030u * (c + 1);
    }
    BuildSummaries(s.data);
    s.xChannel = 0;
    return s;
}

struct RandomCase {
    ViewState state;
    int width = 0, height = 0;
};

// Random channels, extremes (as the loader finds them, or now and then shown flat, inverted,
// infinite or far too narrow), visible list, window, client size, cursor and band.
inline RandomCase MakeRandomCase(std::mt19937& rng, std::uint32_t records) {
    const std::uint32_t channels = 1 + rng() % 6;
    RandomCase k{MakeLoadedState(records, std::vector<TestChannel>(channels))};
    DataSet& d = k.state.data;
    for (std::uint32_t c = 0; c < channels; ++c) {
        d.colors[c] = rng() & 0xFFFFFF;
        const Column& v = d.columns[c] = RandomChannel(records, rng);
        const auto [low, high] = std::minmax_element(v.begin(), v.end());
        const float l = *low - 1, h = *high + 1, f = v[rng() % v.size()];
        const std::pair<float, float> ranges[] = {{f, f}, {h, l}, {l, kInf}, {1, 0x1.000002p0f}};
        if (rng() % 10 < 4) {
            const auto [shownMin, shownMax] = ranges[rng() % 4];
            StoreShownRange(d, c, shownMin, shownMax);
        } else
            std::tie(d.minima[c], d.maxima[c]) = std::pair(*low, *high);
    }
    BuildSummaries(d);

    // Some channels in random order, now and then with an entry that names none.
    std::vector<int> order(channels);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), rng);
    order.resize(1 + rng() % channels);
    if (rng() % 8 == 0)
        order.insert(order.begin() + rng() % order.size(), rng() % 2 ? -1 : int(channels));
    for (int c : order)
        k.state.visible.Append(c);

    // Window widths spread evenly over the orders of magnitude, 1 record to all.
    const double exponent = std::uniform_real_distribution<double>(0.0, 1.0)(rng);
    const auto span = std::clamp<std::uint32_t>(
        static_cast<std::uint32_t>(std::pow(static_cast<double>(records - 1), exponent)), 1,
        records - 1);
    k.state.firstRecord = rng() % (records - span);
    k.state.lastRecord = k.state.firstRecord + span + (rng() % 64 ? 0 : records); // or past the end

    // Sizes from the smallest that draws (w 60, h 20) to 2600 wide, small ones often.
    const bool small = rng() % 4 == 0;
    const auto upTo = [&rng](int n) { return static_cast<int>(rng() % unsigned(std::max(1, n))); };
    const int w = 60 + upTo(small ? 80 : 2541);
    k.width = 300 + w;
    k.height = 20 + upTo(small ? 20 : 900);
    k.state.cursorX = upTo(w + 40) - 20;
    k.state.cursorY = upTo(k.height + 40) - 20;
    k.state.dragInProgress = rng() % 2;
    std::tie(k.state.dragStartX, k.state.dragEndX) =
        std::pair(60 + upTo(w - 119), 60 + upTo(w - 119));
    return k;
}

} // namespace kurvon
