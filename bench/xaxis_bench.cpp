// Paints against an x channel, client 1000 x 600 (chart area 700 x 600), four visible channels.
// Prints medians in milliseconds: the literal drawing (one segment per record, the reference),
// the drawing by pixel column over the full window and over random windows (median and slowest),
// and a mouse move through the paint cache; then the processor time of the literal and the
// full-window paints, and the time merely to read once, on both cores, every value a
// full-window paint reads (the x channel and the visible ones): no paint that reads each record
// can be faster.
//
//   xaxis_bench [MAX_RECORDS [LITERAL_MAX [FILE.kvd X V,W,...]]]
//
// First x rising with the record (an irregular clock with pauses) at 10^6 records up to
// MAX_RECORDS (default 1e8); then, when a file is given, its channels V,W,... against channel X
// over the whole file (say: a tools/kvdgen file, capacity 3 against time, current, temperature
// and voltage 0,2,4,1: the V-Q curves of every cycle).

#include "BenchCommon.h"

#include "chart/ChartPaintCache.h"
#include "chart/ChartRenderer.h"
#include "chart/ViewState.h"
#include "data/TwoThreads.h"
#include "platform/RasterSurface.h"

#include <QGuiApplication>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using bench::Median;
constexpr int kWidth = 1000;
constexpr int kHeight = 600;

// The processor time of the paints, besides the wall time.
std::vector<double> g_cpu;

double TimeMs(const std::function<void()>& f) {
    return bench::TimeMs(f, &g_cpu);
}

// Channel 4 is the clock: steps of 0.5 to 1.5 s, now and then a pause of an hour.
kurvon::ViewState MakeRisingState(std::uint32_t records) {
    kurvon::ViewState state;
    kurvon::DataSet& d = state.data;
    d.recordCount = records;
    d.channelCount = 5;
    bench::Noise noise;
    d.columns.assign(5, std::vector<float>(records));
    double t = 0;
    for (std::uint32_t r = 0; r < records; ++r) {
        const double phase = std::fmod(r * 20.0 / records, 1.0);
        d.columns[0][r] = static_cast<float>(3.0 + 1.2 * phase) + 0.01f * noise();
        d.columns[1][r] = (phase < 0.5 ? 2.5f : -2.5f) + 0.02f * noise();
        d.columns[2][r] = static_cast<float>(2.5 * (phase < 0.5 ? phase : 1.0 - phase));
        d.columns[3][r] = static_cast<float>(25.0 + 5.0 * std::sin(r * 6.28 / records)) + noise();
        t += 1.0 + noise() + (r % 100000 == 99999 ? 3600.0 : 0.0);
        d.columns[4][r] = static_cast<float>(t);
    }
    bench::FinishDataSet(state, 4);
    state.xChannel = 4;
    return state;
}

// The bits of v[0..n), n a multiple of 16, OR-ed: faster than the memory delivers them.
std::uint32_t OrOf(const float* v, std::uint32_t n) {
#if defined(__SSE2__) || defined(_M_X64)
    __m128i m[4] = {_mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128(),
                    _mm_setzero_si128()};
    for (std::uint32_t r = 0; r < n; r += 16)
        for (int k = 0; k < 4; ++k)
            m[k] = _mm_or_si128(m[k], _mm_castps_si128(_mm_loadu_ps(v + r + 4 * k)));
    return static_cast<std::uint32_t>(
        _mm_cvtsi128_si32(_mm_or_si128(_mm_or_si128(m[0], m[1]), _mm_or_si128(m[2], m[3]))));
#else
    std::uint32_t m = 0;
    for (std::uint32_t r = 0; r < n; ++r) {
        std::uint32_t w;
        std::memcpy(&w, v + r, sizeof w);
        m |= w;
    }
    return m;
#endif
}

// Every value of the x channel and the visible channels over the full window read once, each
// half of the records on its own thread.
double ReadOnce(const kurvon::ViewState& state) {
    std::vector<const float*> channels{state.data.Channel(state.xChannel)};
    for (int i = 0; i < state.visible.Size(); ++i)
        channels.push_back(state.data.Channel(static_cast<std::uint32_t>(state.visible.At(i))));
    const std::uint32_t n = state.data.recordCount;
    std::uint32_t sink[2] = {0, 0};
    const double ms = bench::TimeMs([&] {
        kurvon::RunOnTwoThreads(2, [&](std::uint32_t a, std::uint32_t b) {
            for (std::uint32_t half = a; half < b; ++half) {
                const std::uint32_t begin = half * (n / 2) / 16 * 16;
                const std::uint32_t end = half ? n / 16 * 16 : n / 2 / 16 * 16;
                for (const float* v : channels)
                    sink[half] |= OrOf(v + begin, end - begin);
            }
        });
    });
    std::fprintf(stderr, "%s", (sink[0] | sink[1]) == 1 ? " " : ""); // keep the reads
    return ms;
}

void Measure(const char* label, kurvon::ViewState& state, bool literal, std::mt19937& rng) {
    using kurvon::CurveMode;
    const std::uint32_t n = state.data.recordCount;
    kurvon::RasterSurface surface;
    kurvon::RenderChart(surface, state, kWidth, kHeight); // warm-up: allocation, font
    std::vector<double> lit, column, random, mouse;
    const int literalRuns = !literal ? 0 : (n >= 10000000 ? 1 : 5);
    g_cpu.clear();
    for (int i = 0; i < literalRuns; ++i)
        lit.push_back(TimeMs([&] {
            kurvon::RenderChart(surface, state, kWidth, kHeight, 0xFFFFFF, CurveMode::Literal);
        }));
    const double litCpu = Median(g_cpu);
    g_cpu.clear();
    for (int i = 0; i < 11; ++i)
        column.push_back(TimeMs([&] { kurvon::RenderChart(surface, state, kWidth, kHeight); }));
    const double columnCpu = Median(g_cpu);
    for (int i = 0; i < 41; ++i) {
        state.firstRecord = rng() % (n - 1);
        state.lastRecord = state.firstRecord + 1 + rng() % (n - 1 - state.firstRecord);
        random.push_back(TimeMs([&] { kurvon::RenderChart(surface, state, kWidth, kHeight); }));
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
    std::vector<double> read;
    for (int i = 0; i < 11; ++i)
        read.push_back(ReadOnce(state));
    std::printf("%-10s %11u %10.3f %10.3f %10.3f %10.3f %10.3f %10.3f %10.3f %10.3f\n", label, n,
                Median(lit), Median(column), Median(random),
                *std::max_element(random.begin(), random.end()), Median(mouse), litCpu, columnCpu,
                Median(read));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    bench::UseOffscreenPlatform();
    QGuiApplication app(argc, argv);
    const double maxRecords = argc > 1 ? std::atof(argv[1]) : 1e8;
    const double literalMax = argc > 2 ? std::atof(argv[2]) : 1e7;
    std::mt19937 rng(1);

    std::printf(
        "client %d x %d, 4 visible channels; milliseconds, medians (literal: 0 = not run)\n",
        kWidth, kHeight);
    std::printf("%-10s %11s %10s %10s %10s %10s %10s %10s %10s %10s\n", "x", "records", "literal",
                "column", "col rand", "col max", "mouse", "lit cpu", "col cpu", "read");
    for (double records = 1e6; records <= maxRecords * 1.0001; records *= 10) {
        kurvon::ViewState state = MakeRisingState(static_cast<std::uint32_t>(records));
        Measure("rising", state, records <= literalMax * 1.0001, rng);
    }
    if (argc > 5) {
        std::optional<kurvon::ViewState> state =
            bench::LoadWithXAxis(argv[3], std::atoi(argv[4]), argv[5]);
        if (!state)
            return 1;
        Measure("file", *state, state->data.recordCount <= literalMax * 1.0001, rng);
    }
    std::printf("literal: one segment per record; column: full window by pixel column;\n"
                "col rand / col max: 41 random windows, median and slowest; mouse: a cursor\n"
                "move through the paint cache; lit cpu / col cpu: the processor time of the\n"
                "literal and full-window paints (medians), steadier on a loaded machine;\n"
                "read: reading once, on both cores, every value a full-window paint reads\n");
    return 0;
}
