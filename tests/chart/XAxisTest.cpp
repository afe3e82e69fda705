// The x axis by channel: labels, the drag band's rule for rising and back-and-forth x, the
// wheel's pointer record, and the x value in the readout.

#include "chart/XAxis.h"
#include "chart/ChartRenderer.h"
#include "chart/DragSelection.h"
#include "chart/WheelZoom.h"

#include "ChartTestData.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

constexpr int kChartWidth = 700; // client 1000 x 600

// Channel 0 the x channel, channel 1 a visible curve.
ViewState StateWithX(std::uint32_t records, std::function<float(std::uint32_t)> x) {
    ViewState s =
        MakeLoadedState(records, {{"x", 0, 0, 10, std::move(x)}, {"y", 0xFF, 0, 10}}, {1});
    BuildSummaries(s.data);
    s.xChannel = 0;
    return s;
}

// The first and last record whose column lies in a..b, by brute force.
std::pair<std::uint32_t, std::uint32_t> InBand(const ViewState& s, int a, int b) {
    const XAxis axis(s, kChartWidth);
    std::pair<std::uint32_t, std::uint32_t> band{UINT32_MAX, 0};
    for (std::uint32_t r = s.firstRecord; r <= s.lastRecord; ++r) {
        if (axis.Placed(r) && axis.Column(r) >= a && axis.Column(r) <= b) {
            band.first = std::min(band.first, r);
            band.second = std::max(band.second, r);
        }
    }
    return band;
}

TEST(XAxisTest, LabelsReadXValuesWhereRecordLabelsStand) {
    ViewState s = StateWithX(251, [](std::uint32_t r) { return 1.0f + r * 0.01f; });
    const XAxis axis(s, kChartWidth);
    const std::vector<RecordLabel> labels = axis.Labels();
    const std::vector<RecordLabel> records = RecordLabels(kChartWidth, XScale(kChartWidth, 250), 0);
    ASSERT_EQ(labels.size(), records.size());
    for (std::size_t i = 0; i < labels.size(); ++i)
        EXPECT_EQ(labels[i].x, records[i].x);
    EXPECT_EQ(labels[0].text, "1.00");
    EXPECT_EQ(axis.Column(0), 60);
    EXPECT_EQ(axis.Column(250), 640);
    EXPECT_NEAR(*axis.ValueAt(640), 3.5, 1e-6);
    // A flat x is widened by 1 on both sides: every record in the middle column.
    s.data.columns[0] = std::vector<float>(251, 7.0f);
    BuildSummaries(s.data);
    const XAxis flat(s, kChartWidth);
    EXPECT_EQ(flat.Column(100), 350);
    EXPECT_EQ(flat.Labels()[0].text, "6.00");
    // Without any finite x: no column, no labels, no readout value.
    s.data.columns[0] = std::vector<float>(251, std::nanf(""));
    BuildSummaries(s.data);
    const XAxis none(s, kChartWidth);
    EXPECT_TRUE(none.Runs().empty() && none.Labels().empty() && !none.ValueAt(300));
}

TEST(XAxisTest, DragSelectsFromTheFirstToTheLastRecordDrawnInsideTheBand) {
    // Rising (a clock with pauses), back and forth (three cycles of capacity), and with a gap.
    const std::function<float(std::uint32_t)> xs[] = {
        [](std::uint32_t r) { return r * 1.5f + (r > 400 ? 300.0f : 0.0f); },
        [](std::uint32_t r) { return static_cast<float>(r % 300 < 150 ? r % 300 : 300 - r % 300); },
        [](std::uint32_t r) { return r < 500 ? 0.0f : (r % 7 ? 10.0f : std::nanf("")); }};
    for (const auto& x : xs) {
        for (auto [a, b] : {std::pair{200, 400}, {400, 200}, {61, 639}, {300, 320}}) {
            ViewState s = StateWithX(900, x);
            const auto [first, last] = InBand(s, std::min(a, b), std::max(a, b));
            BeginDrag(s, a, kChartWidth);
            EndDrag(s, b, kChartWidth);
            if (first == UINT32_MAX) { // nothing inside: the window stays
                EXPECT_EQ(std::pair(s.firstRecord, s.lastRecord), std::pair(0u, 899u));
                continue;
            }
            EXPECT_EQ(s.firstRecord, first) << a << ":" << b;
            EXPECT_EQ(s.lastRecord, std::max(last, first + 1)) << a << ":" << b;
        }
    }
}

TEST(XAxisTest, WheelKeepsTheRecordUnderThePointerInTheWindow) {
    ViewState s = StateWithX(10000, [](std::uint32_t r) { return r * r * 1e-4f; });
    for (int px : {100, 350, 600}) {
        s.firstRecord = 0;
        s.lastRecord = 9999;
        const std::uint32_t under = XAxis(s, kChartWidth).RecordAt(px);
        EXPECT_TRUE(XAxis(s, kChartWidth).Column(under) >= px);
        ASSERT_TRUE(WheelZoom(s, 2, px, kChartWidth));
        EXPECT_LT(s.lastRecord - s.firstRecord, 9999u);
        EXPECT_TRUE(s.firstRecord <= under && under <= s.lastRecord) << px;
    }
}

TEST(XAxisTest, ReadoutAddsTheXValueBelowThePointer) {
    ViewState s = StateWithX(300, [](std::uint32_t r) { return r * 2.0f; });
    std::tie(s.cursorX, s.cursorY) = std::pair(300, 300);
    const auto inkBelow = [&s] {
        RasterSurface surface;
        EXPECT_TRUE(RenderChart(surface, s, 1000, 600));
        int n = 0;
        for (int y = 303; y < 318; ++y)
            for (int x = 304; x < 380; ++x)
                n += surface.PixelAt(x, y) == 0x000000;
        return n;
    };
    EXPECT_GT(inkBelow(), 10);
    s.xChannel = -1;
    EXPECT_EQ(inkBelow(), 0);
}

} // namespace
} // namespace kurvon
