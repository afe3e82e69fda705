// Paints of the cycle overlay, client 1000 x 600, four visible channels against a capacity that
// rises and falls within each cycle. Prints medians in milliseconds of a full paint of the
// overlay, of one drawn literally (segment by segment, the reference) and of a mouse move
// through its paint cache, for a few choices of cycles; then the processor time of the paint
// (on a loaded machine the steadier figure: the literal paint uses one thread).
//
//   overlay_bench [RECORDS [CYCLES]]   (default 1e7 records in 2000 cycles)
//   overlay_bench --file FILE X V,W,...
//
// The second form overlays channels V,W,... of a file against its channel X, over the cycles its
// current, voltage and time channels give (say: a tools/kvdgen file, capacity 3 against time,
// current, temperature and voltage 0,2,4,1).

#include "BenchCommon.h"

#include "analysis/CycleTable.h"
#include "analysis/RoleRecognition.h"
#include "chart/CycleOverlayRenderer.h"
#include "chart/ViewState.h"
#include "platform/TextDecode.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using bench::Median;
using bench::TimeMs;
constexpr int kWidth = 1000;
constexpr int kHeight = 600;

// Channel 4 is the capacity: up during the first half of each cycle, down in the second, a
// little less each cycle.
kurvon::ViewState MakeCycling(std::uint32_t records, std::uint32_t cycles) {
    kurvon::ViewState state;
    kurvon::DataSet& d = state.data;
    d.recordCount = records;
    d.channelCount = 5;
    bench::Noise noise;
    d.columns.assign(5, std::vector<float>(records));
    const std::uint32_t length = records / cycles;
    for (std::uint32_t r = 0; r < records; ++r) {
        const std::uint32_t c = std::min(r / length, cycles - 1);
        const double phase = static_cast<double>(r - c * length) / length;
        const double fade = 1.0 - 0.2 * c / cycles;
        d.columns[0][r] = static_cast<float>(3.0 + 1.2 * phase) + 0.01f * noise();
        d.columns[1][r] = (phase < 0.5 ? 2.5f : -2.5f) + 0.02f * noise();
        d.columns[2][r] = static_cast<float>(25.0 + 5.0 * phase) + noise();
        d.columns[3][r] = static_cast<float>(10.0 * phase) + noise();
        d.columns[4][r] = static_cast<float>(2.5 * fade * (phase < 0.5 ? phase : 1.0 - phase));
    }
    bench::FinishDataSet(state, 4);
    for (std::uint32_t c = 0; c < cycles; ++c)
        state.cycles.spans.push_back(
            {c * length, c + 1 == cycles ? records - 1 : (c + 1) * length - 1});
    state.xChannel = 4;
    return state;
}

// The file's channels and cycles, or nothing (said why on stderr).
std::optional<kurvon::ViewState> LoadCycling(const char* path, int x, const char* channels) {
    std::optional<kurvon::ViewState> state = bench::LoadWithXAxis(path, x, channels);
    if (!state)
        return std::nullopt;
    std::vector<std::string> names;
    for (const std::string& name : state->data.names)
        names.push_back(kurvon::DecodeTextToUtf8(name, state->data.nameEncoding));
    for (const kurvon::CycleFigures& c :
         kurvon::ComputeCycleTable(state->data, kurvon::RecogniseRoles(names)).cycles)
        state->cycles.spans.push_back({c.firstRecord, c.lastRecord});
    if (state->cycles.spans.empty()) {
        std::fprintf(stderr, "%s: no cycles\n", path);
        return std::nullopt;
    }
    return state;
}

} // namespace

int main(int argc, char** argv) {
    bench::UseOffscreenPlatform();
    QGuiApplication app(argc, argv);
    const bool file = argc > 4 && std::string(argv[1]) == "--file";
    std::optional<kurvon::ViewState> loaded;
    if (file && !(loaded = LoadCycling(argv[2], std::atoi(argv[3]), argv[4])))
        return 1;
    const auto records = file ? loaded->data.recordCount
                              : static_cast<std::uint32_t>(argc > 1 ? std::atof(argv[1]) : 1e7);
    const auto cycles = file ? static_cast<std::uint32_t>(loaded->cycles.spans.size())
                             : static_cast<std::uint32_t>(argc > 2 ? std::atof(argv[2]) : 2000);
    kurvon::ViewState state = file ? std::move(*loaded) : MakeCycling(records, cycles);
    const std::string all = "1-" + std::to_string(cycles);
    std::mt19937 rng(1);
    std::printf("client %d x %d, %d visible channels, %u records in %u cycles; ms, medians\n",
                kWidth, kHeight, state.visible.Size(), records, cycles);
    std::printf("%-28s %10s %10s %10s %10s %10s\n", "cycles", "records", "paint", "literal",
                "mouse", "paint cpu");
    for (const std::string& choice :
         {std::string("1,last"), std::string("1,every 100"), std::string("1,every 10"), all}) {
        for (bool relative : {false, true}) {
            state.overlay.choice = std::get<kurvon::CycleChoice>(kurvon::ParseCycleChoice(choice));
            state.overlay.relative = relative;
            std::uint64_t drawn = 0;
            for (std::uint32_t n : kurvon::ChosenCycles(*state.overlay.choice, cycles))
                drawn += state.cycles.spans[n - 1].last - state.cycles.spans[n - 1].first + 1;
            kurvon::RasterSurface surface;
            kurvon::RenderOverlayBase(surface, state, kWidth, kHeight); // warm-up
            std::vector<double> paint, literal, mouse, paintCpu;
            for (int i = 0; i < 7; ++i) {
                paint.push_back(
                    TimeMs([&] { kurvon::RenderOverlayBase(surface, state, kWidth, kHeight); },
                           &paintCpu));
                literal.push_back(TimeMs([&] {
                    kurvon::RenderOverlayBase(surface, state, kWidth, kHeight, 0xFFFFFF,
                                              kurvon::CurveMode::Literal);
                }));
            }
            kurvon::OverlayPaintCache cache;
            cache.Paint(surface, state, kWidth, kHeight);
            for (int i = 0; i < 51; ++i) {
                state.cursorX = 61 + static_cast<int>(rng() % 570);
                state.cursorY = 11 + static_cast<int>(rng() % 560);
                mouse.push_back(TimeMs([&] { cache.Paint(surface, state, kWidth, kHeight); }));
            }
            const std::string label = choice + (relative ? " (relative)" : "");
            std::printf("%-28s %10llu %10.3f %10.3f %10.3f %10.3f\n", label.c_str(),
                        static_cast<unsigned long long>(drawn), Median(paint), Median(literal),
                        Median(mouse), Median(paintCpu));
            std::fflush(stdout);
        }
    }
    return 0;
}
