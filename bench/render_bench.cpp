// One full paint of a 1000 x 600 client (chart area 700 x 600) with four visible channels, for
// view windows of 10^3, 10^5 and 10^7 records. Prints milliseconds per paint. The renderer
// draws one segment per record, so this is the cost a faster renderer is measured against.

#include "chart/ChartRenderer.h"
#include "data/ViewState.h"
#include "platform/RasterSurface.h"

#include <QGuiApplication>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

// Cycler-like channels: a voltage ramp per cycle, a square current, a saw capacity and a slow
// temperature, each with a little noise.
kurvon::ViewState MakeState(std::uint32_t records) {
    kurvon::ViewState state;
    kurvon::DataSet& d = state.data;
    d.recordCount = records;
    d.channelCount = 4;
    const kurvon::ColorRef colors[] = {0x0000C0, 0x00A000, 0xC00000, 0x008080};
    std::uint32_t seed = 12345;
    auto noise = [&seed] {
        seed = seed * 214013u + 2531011u;
        return static_cast<float>((seed >> 16) & 0x7FFF) / 32768.0f - 0.5f;
    };
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
        d.maxima.push_back(hi + 1.0f);
        d.minima.push_back(lo - 1.0f);
        state.visible.Append(static_cast<int>(c));
    }
    state.firstRecord = 0;
    state.lastRecord = records - 1;
    state.zoomStep = records / 40;
    state.dataLoaded = true;
    state.cursorX = 350;
    state.cursorY = 300;
    return state;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::printf("paint of a 1000 x 600 client, 4 visible channels, one segment per record\n");
    const struct {
        std::uint32_t records;
        int repeats;
    } runs[] = {{1000, 200}, {100000, 20}, {10000000, 3}};
    for (const auto& run : runs) {
        kurvon::ViewState state = MakeState(run.records);
        kurvon::RasterSurface surface;
        kurvon::RenderChart(surface, state, 1000, 600); // warm-up: allocation, font
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < run.repeats; ++i)
            kurvon::RenderChart(surface, state, 1000, 600);
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        std::printf("%10u records: %9.3f ms per paint\n", run.records,
                    elapsed.count() / run.repeats);
    }
    return 0;
}
