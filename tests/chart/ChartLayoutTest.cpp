#include "chart/ChartLayout.h"
#include "chart/ChartGeometry.h"
#include "data/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kurvon {
namespace {

using LabelList = std::vector<std::pair<int, std::string>>;

LabelList Labels(int width, std::uint32_t first, std::uint32_t last) {
    LabelList out;
    for (const RecordLabel& l : RecordLabels(width, XScale(width, last - first), first))
        out.push_back({l.x, l.text});
    return out;
}

TEST(ChartLayoutTest, RecordLabelsOfTheWorkedExample) {
    // Client 1000 x 600: chart area 700 wide, frame x 60 .. 640; no chart below 60 x 20.
    ASSERT_EQ(ChartAreaOfClient(1000, 600).width, 700);
    EXPECT_TRUE(ChartAreaOfClient(360, 20).Drawable());
    EXPECT_FALSE(ChartAreaOfClient(359, 20).Drawable() || ChartAreaOfClient(360, 19).Drawable());
    EXPECT_EQ(Labels(700, 0, 299),
              (LabelList{
                  {60, "0"}, {156, "50"}, {253, "100"}, {350, "150"}, {447, "200"}, {544, "250"}}));
    EXPECT_EQ(Labels(700, 0, 30), (LabelList{{60, "0"}, {253, "10"}, {446, "20"}}));
    // The first label always stands at x = 60 and shows the first record.
    EXPECT_EQ(Labels(700, 12345, 9999999).front(), (std::pair<int, std::string>{60, "12345"}));
    EXPECT_TRUE(Labels(120, 0, 299).empty()); // too narrow for labels
    EXPECT_EQ(Labels(121, 0, 299).front().first, 60);

    // The label value rounds up from six tenths, with no 32-bit wrap.
    const std::pair<double, long long> values[] = {
        {7.55, 7}, {7.6, 8}, {0.0, 0}, {4294967294.7, 4294967295}, {std::nan(""), 0}};
    for (const auto& [value, label] : values)
        EXPECT_EQ(RecordLabelValue(value), label) << value;
}

TEST(ChartLayoutTest, ValueLabelsAndPositions) {
    // n = 580, 530, ..., 30; the bottom shows the minimum, 50 pixels up add 50 / (570 / 11).
    const std::vector<ValueLabel> labels = ValueLabels(MapChannel(600, 10.0f, -1.0f));
    ASSERT_EQ(labels.size(), 12u);
    EXPECT_EQ(labels.front().y + labels.back().y, 580 + 30);
    EXPECT_EQ(labels.front().text + labels[1].text + labels.back().text, "-1.00-0.049.61");
    EXPECT_EQ(FormatFixed2(-0.004), "-0.00");
    EXPECT_EQ(FormatFixed2(2.675), "2.67");                       // the double just below 2.675
    EXPECT_TRUE(ValueLabels(MapChannel(30, 1.0f, 0.0f)).empty()); // h - 20 <= 10
    EXPECT_EQ(ValueLabels(MapChannel(31, 1.0f, 0.0f)).size(), 1u);

    // Positions stay defined for any value.
    const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf("");
    const ValueMapping m = MapChannel(600, 10.0f, 0.0f);
    constexpr int kLim = kPositionLimit;
    const std::pair<float, int> ys[] = {{0.0f, 580},  {10.0f, 10}, {inf, -kLim},
                                        {-inf, kLim}, {nan, kLim}, {3e38f, -kLim}};
    for (const auto& [value, y] : ys)
        EXPECT_EQ(m.Y(value), y) << value;

    // A zero range maps as minimum - 1 .. maximum + 1: the constant sits in the middle.
    const ValueMapping flat = MapChannel(600, 5.0f, 5.0f);
    EXPECT_EQ(flat.Y(5.0f), 295);
    EXPECT_EQ(FormatFixed2(flat.ValueAt(580)), "4.00");
    // Ranges no float scale can express are drawn flat in the middle.
    EXPECT_EQ(MapChannel(600, 1e30f, 1e30f).Y(1e30f), 295);
    EXPECT_EQ(MapChannel(600, nan, 0.0f).Y(1.0f), 295);
    EXPECT_EQ(MapChannel(600, 3e38f, -3e38f).Y(1.0f), 294); // the range fits in double

    // The float scale lands the last record just short of the right edge, as truncated.
    EXPECT_EQ(CurveX(299, XScale(700, 299)), 639);
    EXPECT_EQ(CurveX(30, XScale(700, 30)), 640);
}

} // namespace
} // namespace kurvon
