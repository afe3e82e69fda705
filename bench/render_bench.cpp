// Paints of a 1000 x 600 client (chart area 700 x 600) with four visible channels, at 10^3 to
// 10^8 records (synthetic, in memory). Prints, in milliseconds: the literal drawing (one segment
// per record, the reference), the drawing by pixel column over the full window and over random
// windows, the mouse-move repaint through the paint cache, and the summary's build time and
// size. Medians; the machine is shared, so compare figures of one run only.
//
//   render_bench [MAX_RECORDS [LITERAL_MAX]]   (defaults 1e8 and MAX_RECORDS; the literal paint
//   of 10^8 records takes tens of seconds)

#include "BenchCommon.h"

#include "chart/ChartPaintCache.h"
#include "chart/ChartRenderer.h"
#include "chart/ViewState.h"
#include "platform/RasterSurface.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

using bench::Median;
using bench::TimeMs;

// Cycler-like channels: a voltage ramp per cycle, a square current, a saw capacity and a slow
// temperature, each with a little noise.
kurvon::ViewState MakeState(std::uint32_t records) {
    kurvon::ViewState state;
    kurvon::DataSet& d = state.data;
    d.recordCount = records;
    d.channelCount = 4;
    const kurvon::ColorRef colors[] = {0x0000C0, 0x00A000, 0xC00000, 0x008080};
    bench::Noise noise;
    for (std::uint32_t c = 0; c < 4; ++c) {
        std::vector<float> column(records);
        float lo = 1e30f, hi = -1e30f;
        for (std::uint32_t r = 0; r < records; ++r) {
            const double phase = std::fmod(r * 20.0 / records, 1.0);
            float v = 0;
            switch (c) {
            case 0:
                v = static_cast<float>(3.0 + 1.2 * phase) + 0.01f * noise();
                break;
            case 1:
                v = (phase < 0.5 ? 2.5f : -2.5f) + 0.02f * noise();
                break;
            case 2:
                v = static_cast<float>(2.5 * (phase < 0.5 ? phase : 1.0 - phase));
                break;
            default:
                v = static_cast<float>(25.0 + 5.0 * std::sin(r * 6.28 / records)) + noise();
            }
            column[r] = v;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        d.columns.push_back(std::move(column));
        d.colors.push_back(colors[c]);
        d.names.push_back("channel " + std::to_string(c));
        d.maxima.push_back(hi);
        d.minima.push_back(lo);
        state.visible.Append(static_cast<int>(c));
    }
    state.firstRecord = 0;
    state.lastRecord = records - 1;
    state.dataLoaded = true;
    state.cursorX = 350;
    state.cursorY = 300;
    return state;
}

} // namespace

int main(int argc, char** argv) {
    bench::UseOffscreenPlatform();
    QGuiApplication app(argc, argv);
    const double maxRecords = argc > 1 ? std::atof(argv[1]) : 1e8;
    const double literalMax = argc > 2 ? std::atof(argv[2]) : maxRecords;
    constexpr int kWidth = 1000;
    constexpr int kHeight = 600;
    using kurvon::CurveMode;

    std::printf("client %d x %d, 4 visible channels; milliseconds, medians\n", kWidth, kHeight);
    std::printf("%11s %10s %10s %10s %10s %10s %10s %9s\n", "records", "literal", "column",
                "col rand", "col max", "mouse", "summary", "sum/chan");
    std::mt19937 rng(1);
    for (double records = 1e3; records <= maxRecords * 1.0001; records *= 10) {
        const auto n = static_cast<std::uint32_t>(records);
        kurvon::ViewState state = MakeState(n);
        const double buildMs = TimeMs([&] { kurvon::BuildSummaries(state.data); });
        const double summaryShare =
            static_cast<double>(state.data.summaries[0].Bytes()) / (4.0 * n);
        kurvon::RasterSurface surface;
        kurvon::RenderChart(surface, state, kWidth, kHeight); // warm-up: allocation, font

        const int literalRuns =
            records > literalMax * 1.0001 ? 0 : (n >= 10000000 ? 1 : (n >= 100000 ? 5 : 50));
        std::vector<double> literal, column, random, mouse;
        for (int i = 0; i < literalRuns; ++i)
            literal.push_back(TimeMs([&] {
                kurvon::RenderChart(surface, state, kWidth, kHeight, 0xFFFFFF, CurveMode::Literal);
            }));
        for (int i = 0; i < 21; ++i)
            column.push_back(TimeMs([&] { kurvon::RenderChart(surface, state, kWidth, kHeight); }));
        for (int i = 0; i < 41; ++i) {
            kurvon::ViewState& s = state;
            s.firstRecord = rng() % (n - 1);
            s.lastRecord = s.firstRecord + 1 + rng() % (n - 1 - s.firstRecord);
            random.push_back(TimeMs([&] { kurvon::RenderChart(surface, s, kWidth, kHeight); }));
        }
        state.firstRecord = 0;
        state.lastRecord = n - 1;
        kurvon::ChartPaintCache cache;
        cache.Paint(surface, state, kWidth, kHeight);
        for (int i = 0; i < 101; ++i) {
            state.cursorX = 61 + static_cast<int>(rng() % 570);
            state.cursorY = 11 + static_cast<int>(rng() % 560);
            mouse.push_back(TimeMs([&] { cache.Paint(surface, state, kWidth, kHeight); }));
        }
        std::printf("%11u %10.3f %10.3f %10.3f %10.3f %10.3f %10.1f %8.4f\n", n, Median(literal),
                    Median(column), Median(random), *std::max_element(random.begin(), random.end()),
                    Median(mouse), buildMs, summaryShare);
        std::fflush(stdout);
    }
    std::printf("literal: one segment per record; column: full window by pixel column;\n"
                "col rand / col max: 41 random windows, median and slowest; mouse: a cursor\n"
                "move through the paint cache; summary: build ms for all 4 channels;\n"
                "sum/chan: summary bytes per channel byte\n");
    return 0;
}
