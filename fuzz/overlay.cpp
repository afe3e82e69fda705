// Cycles overlaid against an x channel over arbitrary data. A short pattern of records may be
// repeated, drifting a little each time, into a long test whose cycles retrace each other: so
// the overlay is drawn by column, into masks, on two threads and with blocks that later cycles
// hide passed over, as the data allows. Whatever the cycles and the choice, absolute or
// relative x, the everyday drawing gives the literal drawing's pixels, and the cached paint
// gives the base plus the cursor layer.

#include "chart/CycleOverlay.h"
#include "chart/CycleOverlayRenderer.h"

#include "FuzzChart.h"
#include "FuzzCheck.h"
#include "FuzzQt.h"

#include <QGuiApplication>

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

namespace {

using namespace kurvon;

// The pattern again and again, each copy moved by its own multiple of `drift`: later cycles
// cover most of what earlier ones drew, but not all of it.
void Repeat(DataSet& d, std::uint32_t copies, float drift) {
    const std::uint32_t n = d.recordCount;
    if (n == 0 || copies < 2)
        return;
    for (Column& column : d.columns) {
        column.Resize(std::size_t{n} * copies);
        for (std::uint32_t k = 1; k < copies; ++k)
            for (std::uint32_t r = 0; r < n; ++r)
                column[std::size_t{k} * n + r] = column[r] + drift * static_cast<float>(k % 7);
    }
    d.recordCount = n * copies;
}

// Cycles over all the records: each copy of the pattern one cycle, or lengths from the input in
// turn (one record now and then).
void ConsumeCycles(FuzzedDataProvider& in, ViewState& state, std::uint32_t patternRecords) {
    std::vector<std::uint32_t> lengths;
    if (in.ConsumeBool()) {
        lengths.push_back(std::max<std::uint32_t>(patternRecords, 1));
    } else {
        for (int n = in.ConsumeIntegralInRange(1, 6); n > 0; --n)
            lengths.push_back(in.ConsumeIntegralInRange<std::uint32_t>(1, 3000));
    }
    const std::uint32_t records = state.data.recordCount;
    for (std::uint32_t first = 0, i = 0; first < records; ++i) {
        const std::uint32_t length = lengths[i % lengths.size()];
        const std::uint32_t last = std::min(records - 1, first + length - 1);
        state.cycles.spans.push_back({first, last});
        first = last + 1;
    }
}

void ConsumeChoice(FuzzedDataProvider& in, ViewState& state) {
    static const char* const kChoices[] = {"1",        "1,last",   "every 2",
                                           "1-100000", "2-4,last", "1, 10, 100, every 100th"};
    std::string text =
        in.ConsumeBool()
            ? in.ConsumeBytesAsString(in.ConsumeIntegralInRange(0, 12))
            : kChoices[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kChoices) - 1)];
    const auto parsed = ParseCycleChoice(text);
    state.overlay.choice = std::holds_alternative<CycleChoice>(parsed)
                               ? std::get<CycleChoice>(parsed)
                               : std::get<CycleChoice>(ParseCycleChoice("1-100000"));
    state.overlay.relative = in.ConsumeBool();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartOffscreenApp<QGuiApplication>(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int clientWidth = 300 + in.ConsumeIntegralInRange(0, 900);
    const int clientHeight = in.ConsumeIntegralInRange(0, 500);
    // Enough copies of a pattern of 900 records take the overlay past the two-thread threshold.
    const std::uint32_t copies = in.ConsumeBool() ? in.ConsumeIntegralInRange(2, 120) : 1;
    const float drift = ConsumeChartValue(in, 0.0f) / 64.0f;

    ViewState state;
    ConsumeChartData(in, state, 900);
    const std::uint32_t patternRecords = state.data.recordCount;
    Repeat(state.data, copies, drift);
    BuildSummaries(state.data);
    state.dataLoaded = true;
    static std::uint64_t generation = 0;
    state.dataGeneration = ++generation; // the cache must not take an earlier run's data
    state.firstRecord = 0;
    state.lastRecord = state.data.recordCount ? state.data.recordCount - 1 : 0;
    ConsumeCycles(in, state, patternRecords);
    ConsumeChoice(in, state);
    state.cursorX = in.ConsumeIntegralInRange(-100, 1300);
    state.cursorY = in.ConsumeIntegralInRange(-100, 600);
    if (!OverlayActive(state))
        return 0;

    static RasterSurface literal, everyday, cached;
    static OverlayPaintCache cache;
    const bool drawn =
        RenderOverlayBase(literal, state, clientWidth, clientHeight, 0xFFFFFF, CurveMode::Literal);
    FUZZ_CHECK(drawn == RenderOverlayBase(everyday, state, clientWidth, clientHeight));
    if (drawn) {
        FUZZ_CHECK(SamePixels(literal, everyday));
        DrawOverlayCursorLayer(everyday, state, clientWidth, clientHeight);
        FUZZ_CHECK(cache.Paint(cached, state, clientWidth, clientHeight));
        FUZZ_CHECK(SamePixels(cached, everyday));
    }
    return 0;
}
