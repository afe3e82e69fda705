#pragma once
// What the paint benchmarks share: timing (wall and processor time, medians), the offscreen
// platform, the noise of the synthetic channels and the finishing of a synthetic data set.

#include "chart/ViewState.h"
#include "data/ChannelSummary.h"
#include "data/Loader.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// The processor time of the process (on Windows the C library gives the wall time instead).
inline double CpuMs() {
    return static_cast<double>(std::clock()) * 1e3 / CLOCKS_PER_SEC;
}

// Wall milliseconds of f; its processor time is added to *cpu when given (on a shared, loaded
// machine the steadier figure).
inline double TimeMs(const std::function<void()>& f, std::vector<double>* cpu = nullptr) {
    const double cpuStart = CpuMs();
    const auto start = Clock::now();
    f();
    const double wall = MsSince(start);
    if (cpu)
        cpu->push_back(CpuMs() - cpuStart);
    return wall;
}

// The offscreen platform unless another is asked for; fonts for the labels need the application.
inline void UseOffscreenPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// -0.5 .. 0.5, the same sequence on every run and platform.
class Noise {
public:
    float operator()() {
        m_seed = m_seed * 214013u + 2531011u;
        return static_cast<float>((m_seed >> 16) & 0x7FFF) / 32768.0f - 0.5f;
    }

private:
    std::uint32_t m_seed = 12345;
};

// Extremes, colours and names of the data set's channels, the first `visible` of them ticked,
// the summaries built, the whole data set in the window.
inline void FinishDataSet(kurvon::ViewState& state, std::uint32_t visible) {
    kurvon::DataSet& d = state.data;
    for (std::uint32_t c = 0; c < d.channelCount; ++c) {
        const auto [lo, hi] = std::minmax_element(d.columns[c].begin(), d.columns[c].end());
        d.minima.push_back(*lo);
        d.maxima.push_back(*hi);
        d.colors.push_back(0x0000C0u + c * 0x202000u);
        d.names.push_back("channel " + std::to_string(c));
        if (c < visible)
            state.visible.Append(static_cast<int>(c));
    }
    kurvon::BuildSummaries(d);
    state.firstRecord = 0;
    state.lastRecord = d.recordCount - 1;
    state.dataLoaded = true;
}

// A file's data with channel X as the x axis and channels "V,W,..." shown, or nothing (said why
// on stderr).
inline std::optional<kurvon::ViewState> LoadWithXAxis(const char* path, int x,
                                                      const char* channels) {
    struct : kurvon::ProgressSink {
        void Show() override {}
        void SetPosition(int) override {}
    } quiet;
    kurvon::LoadOptions options;
    options.colorSeed = 1;
    kurvon::LoadResult loaded = kurvon::LoadDataFile(path, quiet, options);
    if (loaded.status != kurvon::LoadStatus::Loaded) {
        std::fprintf(stderr, "cannot load %s\n", path);
        return std::nullopt;
    }
    kurvon::ViewState state;
    state.data = std::move(loaded.data);
    state.xChannel = x;
    std::stringstream list(channels);
    for (std::string c; std::getline(list, c, ',');)
        state.visible.Append(std::stoi(c));
    state.lastRecord = loaded.lastRecord;
    state.dataLoaded = true;
    return state;
}

} // namespace bench
