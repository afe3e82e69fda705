// The chart over arbitrary data, extremes, window, size, visible list, colours, cursor and
// band: both curve drawings give the same pixels, the cached base plus the cursor layer gives
// the full paint, the surface is exactly the chart area, and a refused paint touches nothing.

#include "chart/ChartRenderer.h"

#include "FuzzChart.h"
#include "FuzzCheck.h"
#include "FuzzQt.h"

#include <QGuiApplication>

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>

namespace {

using namespace kurvon;

float ConsumeValue(FuzzedDataProvider& in, float previous) {
    const std::uint8_t kind = in.ConsumeIntegral<std::uint8_t>();
    if (kind < 200)
        return static_cast<float>(static_cast<std::int8_t>(kind * 7)) / 4.0f;
    if (kind < 240) // anything a float can hold: huge, tiny, infinite, NaN
        return std::bit_cast<float>(in.ConsumeIntegral<std::uint32_t>());
    return previous; // flat stretches
}

ViewState ConsumeState(FuzzedDataProvider& in) {
    ViewState state;
    DataSet& d = state.data;
    d.recordCount = in.ConsumeIntegralInRange<std::uint32_t>(0, 700);
    d.channelCount = in.ConsumeIntegralInRange<std::uint32_t>(1, 4);
    d.columns.assign(d.channelCount, std::vector<float>(d.recordCount));
    for (std::uint32_t c = 0; c < d.channelCount; ++c) {
        float value = 0.0f;
        for (float& v : d.columns[c])
            v = value = ConsumeValue(in, value);
        ConsumeChannelParts(in, d, c, [&in](float previous) { return ConsumeValue(in, previous); });
    }
    BuildSummaries(d);
    // Entries may name channels the data set lacks.
    for (int n = in.ConsumeIntegralInRange(0, 5); n > 0; --n)
        state.visible.Append(in.ConsumeIntegralInRange<int>(-1, static_cast<int>(d.channelCount)));
    state.dataLoaded = in.ConsumeIntegralInRange(0, 7) != 0;
    const std::uint32_t limit = d.recordCount + 2;
    state.firstRecord = in.ConsumeIntegralInRange<std::uint32_t>(0, limit);
    state.lastRecord = in.ConsumeIntegralInRange<std::uint32_t>(0, limit);
    state.cursorX = in.ConsumeIntegralInRange(-1100, 1100);
    state.cursorY = in.ConsumeIntegralInRange(-1100, 1100);
    state.dragInProgress = in.ConsumeBool();
    state.dragStartX = in.ConsumeIntegralInRange(-100, 1100);
    state.dragEndX = in.ConsumeIntegralInRange(-100, 1100);
    return state;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartOffscreenApp<QGuiApplication>(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int clientWidth = 300 + in.ConsumeIntegralInRange(0, 500);
    const int clientHeight = in.ConsumeIntegralInRange(0, 400);
    const ColorRef background = in.ConsumeIntegral<std::uint32_t>() & 0xFFFFFF;
    ViewState state = ConsumeState(in);

    // Surfaces of another size: a refused paint must leave them so.
    static RasterSurface literal, byColumn, layered;
    for (RasterSurface* s : {&literal, &byColumn, &layered})
        s->Resize(7, 5);
    const bool drawn =
        RenderChart(literal, state, clientWidth, clientHeight, background, CurveMode::Literal);
    FUZZ_CHECK(drawn == RenderChart(byColumn, state, clientWidth, clientHeight, background,
                                    CurveMode::ByColumn));
    FUZZ_CHECK(drawn == (clientWidth - 300 >= 60 && clientHeight >= 20));
    if (!drawn) {
        FUZZ_CHECK(literal.Width() == 7 && literal.Height() == 5);
        FUZZ_CHECK(byColumn.Width() == 7 && byColumn.Height() == 5);
        return 0;
    }
    FUZZ_CHECK(literal.Width() == clientWidth - 300 && literal.Height() == clientHeight);
    FUZZ_CHECK(SamePixels(literal, byColumn));

    FUZZ_CHECK(RenderChartBase(layered, state, clientWidth, clientHeight, background,
                               CurveMode::ByColumn));
    DrawCursorLayer(layered, state, clientWidth, clientHeight);
    FUZZ_CHECK(SamePixels(layered, byColumn));
    return 0;
}
