// The overlay's curves drawn as the chart's (by column where a cycle's records share columns,
// a cycle at a time) give the pixels of its literal drawing, segment by segment: random channels
// and x channels (rising, back and forth, broken, flat, at the float limit), cycles of any
// length, absolute and relative x; dense cycling data; and a cycle's relative x axis walked
// point by point.

#include "chart/CurveDrawing.h"
#include "chart/CycleOverlay.h"
#include "chart/CycleOverlayRenderer.h"
#include "chart/XAxis.h"

#include "ChartTestData.h"
#include "PixelCompare.h"

#include <gtest/gtest.h>

#include <bit>

namespace kurvon {
namespace {

// Cycles covering the records, mostly near a typical length, now and then of one record; a
// random choice among them, absolute or relative x.
void RandomCycles(ViewState& s, std::mt19937& rng, std::uint32_t typical) {
    const std::uint32_t n = s.data.recordCount;
    s.cycles.spans.clear();
    for (std::uint32_t first = 0; first < n;) {
        const std::uint32_t length = rng() % 10 ? typical / 2 + 1 + rng() % typical : 1;
        const auto last = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(n - 1, std::uint64_t{first} + length - 1));
        s.cycles.spans.push_back({first, last});
        first = last + 1;
    }
    const char* choices[] = {"1", "2", "1,last", "1,every 2", "1-100000", "every 3", "2-4,last"};
    s.overlay.choice = std::get<CycleChoice>(ParseCycleChoice(choices[rng() % std::size(choices)]));
    if (ChosenCycles(*s.overlay.choice, static_cast<std::uint32_t>(s.cycles.spans.size())).empty())
        s.overlay.choice = std::get<CycleChoice>(ParseCycleChoice("1"));
    s.overlay.relative = rng() % 2;
}

void ExpectOverlayAsLiteral(const ViewState& s, int width, int height) {
    static RasterSurface literal, walked;
    const bool drawn = RenderOverlayBase(literal, s, width, height, 0xFFFFFF, CurveMode::Literal);
    ASSERT_EQ(RenderOverlayBase(walked, s, width, height), drawn);
    if (drawn) {
        ASSERT_NO_FATAL_FAILURE(ExpectSame(literal.View(), walked.View()));
    }
}

// The axis's extent taken from the x channel's summary is the one read value by value (signed
// zeros, overflowing relative x and non-finite values included).
void ExpectAxisAsReadByValue(const ViewState& s, int chartWidth) {
    const std::vector<OverlayCycle> cycles = OverlayCycles(s);
    DataSet plain = s.data;
    plain.summaries.clear();
    const OverlayAxis read(plain, s.xChannel, cycles, s.overlay.relative, chartWidth);
    const OverlayAxis summed(s.data, s.xChannel, cycles, s.overlay.relative, chartWidth);
    ASSERT_EQ(summed.Any(), read.Any());
    const XColumns& a = summed.Columns();
    const XColumns& b = read.Columns();
    EXPECT_EQ(std::bit_cast<std::uint32_t>(a.min), std::bit_cast<std::uint32_t>(b.min));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(a.scale), std::bit_cast<std::uint32_t>(b.scale));
    EXPECT_EQ(a.flat, b.flat);
    EXPECT_EQ(summed.ValueAt(kFrameLeft + 7), read.ValueAt(kFrameLeft + 7));
}

TEST(CycleOverlayDrawing, MatchesLiteralOverRandomData) {
    std::mt19937 rng(2121);
    const std::uint32_t sizes[] = {60, 3000, 60000};
    for (int i = 0; i < 400 && !HasFailure(); ++i) {
        const std::uint32_t records = 2 + rng() % sizes[i % 3];
        RandomCase k = MakeRandomCase(rng, records);
        ViewState& s = k.state;
        s.xChannel = static_cast<int>(rng() % s.data.channelCount);
        s.data.columns[static_cast<std::size_t>(s.xChannel)] = RandomXChannel(records, rng);
        BuildSummaries(s.data);
        RandomCycles(s, rng, 1 + rng() % std::max<std::uint32_t>(1, records / (1 + rng() % 30)));
        ASSERT_TRUE(OverlayActive(s));
        SCOPED_TRACE(testing::Message()
                     << "case " << i << ", " << records << " records in " << s.cycles.spans.size()
                     << " cycles, " << s.overlay.choice->text
                     << (s.overlay.relative ? " relative" : ""));
        ASSERT_NO_FATAL_FAILURE(ExpectOverlayAsLiteral(s, k.width, k.height));
        ASSERT_NO_FATAL_FAILURE(ExpectAxisAsReadByValue(s, k.width - kFrameLeft * 2));
    }
}

TEST(CycleOverlayDrawing, MatchesLiteralOnDenseRetracedCycles) {
    std::mt19937 rng(2122);
    for (int i = 0; i < 16 && !HasFailure(); ++i) {
        ViewState s = DenseCycling(rng, 20000 + rng() % 200000);
        const std::vector<int> orders[] = {{1, 2, 3}, {3, 1}, {2}, {2, 3, 1, 0}};
        for (int c : orders[i % 4])
            s.visible.Append(c);
        RandomCycles(s, rng, 500 + rng() % 20000);
        const int width = 360 + static_cast<int>(rng() % (i % 4 ? 1400 : 100));
        const int height = 40 + static_cast<int>(rng() % (i % 4 ? 800 : 60));
        SCOPED_TRACE(testing::Message()
                     << "case " << i << ", " << s.cycles.spans.size() << " cycles, "
                     << s.overlay.choice->text << (s.overlay.relative ? " relative" : ""));
        ASSERT_NO_FATAL_FAILURE(ExpectOverlayAsLiteral(s, width, height));
    }
}

// Long cycles whose x goes back and forth every few hundred records (runs too short to draw by
// column), all of them chosen: drawn into masks on two threads, a stretch of records at a time.
TEST(CycleOverlayDrawing, MatchesLiteralOnLongQuicklyRetracedCycles) {
    std::mt19937 rng(2124);
    for (int i = 0; i < 6 && !HasFailure(); ++i) {
        ViewState s = DenseCycling(rng, 70000 + rng() % 90000);
        const std::uint32_t period = 60 + rng() % 400;
        for (std::uint32_t r = 0; r < s.data.recordCount; ++r) {
            const float phase = static_cast<float>(r % period) / static_cast<float>(period);
            s.data.columns[0][r] =
                rng() % 2000 == 0 ? std::nanf("") : 2.5f * std::abs(2.0f * phase - 1.0f);
        }
        BuildSummaries(s.data);
        for (int c : {2, 3, 1})
            s.visible.Append(c);
        RandomCycles(s, rng, 2000 + rng() % 6000);
        s.overlay.choice = std::get<CycleChoice>(ParseCycleChoice("1-100000"));
        SCOPED_TRACE(testing::Message() << "case " << i << ", period " << period << ", "
                                        << s.cycles.spans.size() << " cycles");
        ASSERT_NO_FATAL_FAILURE(ExpectOverlayAsLiteral(s, 400 + static_cast<int>(rng() % 900),
                                                       200 + static_cast<int>(rng() % 500)));
    }
}

// A cycle's x axis with x relative to an origin (its blocks' relative extremes bound their
// columns) also walks point by point to the literal pixels, near and far off the plot.
TEST(CycleOverlayDrawing, RelativeCycleAxisWalksToTheLiteralPixels) {
    std::mt19937 rng(2123);
    static RasterSurface literal, byPoint;
    for (int i = 0; i < 24 && !HasFailure(); ++i) {
        ViewState s = DenseCycling(rng, 20000 + rng() % 100000);
        const std::uint32_t n = s.data.recordCount;
        const std::uint32_t first = rng() % (n / 2);
        const std::uint32_t last = first + rng() % (n - first);
        const float origins[] = {s.data.columns[0][first], -3.3e38f, 1.0f};
        const int width = 200 + static_cast<int>(rng() % 1000);
        const int height = 40 + static_cast<int>(rng() % 600);
        const XAxis axis(s.data, 0, first, last, XColumns::Spanning(-2.6f, 2.6f, width),
                         origins[i % 3]);
        for (RasterSurface* surface : {&literal, &byPoint}) {
            surface->Resize(width, height);
            surface->FillBackground();
        }
        for (int c = 1; c < 4; ++c) {
            SCOPED_TRACE(testing::Message() << "case " << i << " channel " << c);
            ASSERT_NO_FATAL_FAILURE(
                ExpectByPointLikeLiteral(literal, byPoint, s.data, axis, c, height, c));
        }
    }
}

} // namespace
} // namespace kurvon
