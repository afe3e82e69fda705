// Loaded and followed data sets keep each channel's true extremes; the chart alone widens them,
// so the list texts and the pictures are what they were when the data set held widened ones.

#include "chart/ChartRenderer.h"
#include "chart/FlatRange.h"
#include "data/DataGrowth.h"
#include "data/FollowReader.h"
#include "data/TestFiles.h"

#include <gtest/gtest.h>

namespace kurvon {
namespace {

using namespace test;

constexpr ColorRef kWhite = 0xFFFFFF;

ViewState Shown(const DataSet& data, std::initializer_list<int> visible) {
    ViewState state;
    state.data = data;
    for (int c : visible)
        state.visible.Append(c);
    state.lastRecord = data.recordCount - 1;
    state.dataLoaded = true;
    return state;
}

RasterSurface Render(const ViewState& state) {
    RasterSurface s;
    EXPECT_TRUE(RenderChart(s, state, 1000, 600));
    return s;
}

LoadResult Load(const std::string& path) {
    RecordingSink sink;
    LoadOptions options;
    options.colorSeed = 5;
    return LoadDataFile(path, sink, options);
}

// Client 1000 x 600: a range lo .. hi maps value v to y = trunc(580 - (v - lo) * 570 / (hi - lo)).
TEST(TrueExtremes, FlatChannelKeepsItsValueAndIsDrawnAlongTheMiddle) {
    TempDir dir;
    std::string text = "head\r\nt flat\r\n";
    for (int r = 0; r < 50; ++r)
        text += std::to_string(r) + " 5\r\n";
    const LoadResult result = Load(dir.Write("flat.kvd", text));
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    const DataSet& d = result.data;
    EXPECT_EQ(std::pair(d.minima[1], d.maxima[1]), std::pair(5.0f, 5.0f));
    EXPECT_EQ(std::pair(d.minima[0], d.maxima[0]), std::pair(0.0f, 49.0f));
    EXPECT_EQ(result.listMin, (Strings{"0.00", "5.00"}));
    EXPECT_EQ(result.listMax, (Strings{"49.00", "5.00"}));

    // Shown over 4 .. 6 (y 295, the 3-pixel primary 294 .. 296), primary or not; t over -1 .. 50.
    for (const auto& visible : {std::vector{0, 1}, std::vector{1, 0}}) {
        const ViewState state = Shown(d, {visible[0], visible[1]});
        const RasterSurface picture = Render(state);
        EXPECT_EQ(picture.PixelAt(300, 295), d.colors[1]);
        EXPECT_EQ(picture.PixelAt(300, 292), kWhite);
        EXPECT_EQ(DisplayRange(state.data, 1, visible[1] == 1), std::pair(6.0f, 4.0f));
        EXPECT_EQ(DisplayRange(state.data, 0, visible[1] == 0), std::pair(50.0f, -1.0f));
        // The paint writes nothing back.
        EXPECT_EQ(std::pair(state.data.minima[1], state.data.maxima[1]), std::pair(5.0f, 5.0f));
    }
}

// A followed channel that leaves its flat start keeps true extremes and draws the picture a
// load of the grown file draws.
TEST(TrueExtremes, ChannelGrowingOutOfFlatIsShownAsAFreshLoad) {
    TempDir dir;
    std::string text = "head\r\nt v\r\n";
    for (int r = 0; r < 40; ++r)
        text += std::to_string(r) + " 2\r\n";
    const std::string path = dir.Write("grow.kvd", text);
    LoadResult followed = Load(path);
    ASSERT_EQ(followed.status, LoadStatus::Loaded);
    FollowReader reader(path, followed.follow);
    GrowingData growing{followed.settled, followed.follow.provisional};

    std::ofstream(path, std::ios::binary | std::ios::app) << "40 2\r\n41 7.5\r\n42 -1\r\n";
    const Growth growth = reader.Look(true);
    ASSERT_EQ(growth.kind, GrowthKind::Records);
    ASSERT_TRUE(AppendGrowth(followed.data, growing, growth, followed.listMin, followed.listMax));
    const DataSet& d = followed.data;
    EXPECT_EQ(std::pair(d.minima[1], d.maxima[1]), std::pair(-1.0f, 7.5f));
    EXPECT_EQ(followed.listMin[1], "-1.00");
    EXPECT_EQ(followed.listMax[1], "7.50");
    EXPECT_EQ(DisplayRange(d, 1, true), std::pair(8.5f, -2.0f));

    const LoadResult fresh = Load(path);
    ASSERT_EQ(fresh.status, LoadStatus::Loaded);
    EXPECT_EQ(fresh.listMin, followed.listMin);
    EXPECT_EQ(fresh.listMax, followed.listMax);
    for (const auto& visible : {std::vector{0, 1}, std::vector{1, 0}}) {
        const QImage grown = Render(Shown(d, {visible[0], visible[1]})).Image();
        EXPECT_EQ(grown, Render(Shown(fresh.data, {visible[0], visible[1]})).Image());
    }
}

} // namespace
} // namespace kurvon
