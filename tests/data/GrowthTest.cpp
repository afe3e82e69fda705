// Following a growing file: loaded while growing in random steps gives exactly what one load of
// the whole gives; a file changed in any other way is refused, never mixed in.

#include "TestFiles.h"
#include "data/DataGrowth.h"
#include "data/FollowReader.h"

#include <filesystem>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace kurvon {
namespace {

using namespace test;
using namespace std::string_view_literals;

// Lines of numbers in CR LF and LF, blank lines, stray CRs, now and then a Ctrl-Z.
std::string GrowingText(std::mt19937& random, bool tabs) {
    static const std::string_view kPieces[] = {
        "1", "-2.5", "3e2", "x", " ", "\t", "\r\n", "\n", "\r", "7.25", "\r\n\r\n", "\xB5", "\032",
    };
    std::string text = tabs ? "head\r\nx y\tz\r\n1\t3\r\n" : "head\r\na b c\r\n1 2 3\r\n";
    const std::size_t size = 500 + random() % 3000;
    while (text.size() < size) {
        const std::string_view piece = kPieces[random() % std::size(kPieces)];
        if (piece == "\032" && random() % 16 != 0)
            continue;
        text += piece;
    }
    return text;
}

void Append(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::app) << bytes;
}

// Looks until the reader has read all there is, taking each growth in.
void Follow(FollowReader& reader, LoadResult& result, GrowingData& growing, bool settle,
            std::size_t maxBytes) {
    do {
        const Growth growth = reader.Look(settle, maxBytes);
        ASSERT_TRUE(growth.kind == GrowthKind::Nothing || growth.kind == GrowthKind::Records)
            << static_cast<int>(growth.kind);
        if (growth.kind == GrowthKind::Records) {
            ASSERT_TRUE(AppendGrowth(result.data, growing, growth, result.listMin, result.listMax));
        }
    } while (reader.More());
}

TEST(Growth, GrowingInRandomStepsLikeLoadedAtOnce) {
    TempDir dir;
    std::mt19937 random(7);
    int followed = 0;
    for (int i = 0; i < 120; ++i) {
        SCOPED_TRACE(i);
        const std::string text = GrowingText(random, i % 3 == 2);
        const std::string path = dir.Write("grow.kvd", text);
        const LoadResult whole = LoadFile(path, Chunks(1 << 20, false));
        // The first look: as much as loads, from a random cut on.
        std::size_t at = random() % text.size();
        LoadResult result;
        do {
            at = std::min(text.size(), at + random() % 40);
            dir.Write("grow.kvd", text.substr(0, at));
            result = LoadFile(path, Chunks(1 + random() % 300, random() % 2 == 0));
        } while (result.status == LoadStatus::TooFewRecords && at < text.size());
        ASSERT_EQ(result.status, at == text.size() ? whole.status : LoadStatus::Loaded);
        if (result.status != LoadStatus::Loaded)
            continue;
        ++followed;
        FollowReader reader(path, result.follow);
        GrowingData growing{result.settled, result.follow.provisional};
        while (at < text.size()) {
            const std::size_t step = std::min<std::size_t>(text.size() - at, 1 + random() % 200);
            Append(path, std::string_view(text).substr(at, step));
            at += step;
            Follow(reader, result, growing, random() % 4 == 0, 1 + random() % 400);
        }
        // The file stops growing: its held-back last line counts.
        Follow(reader, result, growing, true, std::size_t(1) << 20);
        ExpectSameLoad(result, whole);
        EXPECT_EQ(result.data.recordCount, whole.data.recordCount);
        EXPECT_TRUE(result.data.summaries == whole.data.summaries);
    }
    EXPECT_GT(followed, 60);
}

TEST(Growth, HeldBackLineAndWorkOfOneLine) {
    TempDir dir;
    std::string text = "head\r\nt u\r\n";
    for (int r = 0; r < 20000; ++r)
        text += std::to_string(r) + " " + std::to_string(r % 7) + "\r\n";
    const std::string path = dir.Write("big.kvd", text);
    LoadResult result = LoadFile(path);
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    FollowReader reader(path, result.follow);
    GrowingData growing{result.settled, result.follow.provisional};

    // One line appended: read from where the last look stopped, nothing before it.
    Append(path, "20000 9\r\n");
    Growth growth = reader.Look(false);
    EXPECT_EQ(growth.bytes, 9u);
    ASSERT_TRUE(AppendGrowth(result.data, growing, growth, result.listMin, result.listMax));
    EXPECT_EQ(result.data.recordCount, 20001u);
    EXPECT_EQ(result.listMax[1], "9.00");
    EXPECT_EQ(result.data.maxima[1], 9.0f);

    // Half a line waits for its end, unless settled; then it is read again once it grows.
    Append(path, "5 -3");
    EXPECT_EQ(reader.Look(false).kind, GrowthKind::Nothing);
    EXPECT_TRUE(reader.HoldsBack());
    growth = reader.Look(true);
    ASSERT_TRUE(growth.provisional && growth.records == 1);
    ASSERT_TRUE(AppendGrowth(result.data, growing, growth, result.listMin, result.listMax));
    EXPECT_EQ(result.listMin[1], "-3.00");
    Append(path, "0\r\n");
    growth = reader.Look(false);
    ASSERT_TRUE(growth.retract && !growth.provisional && growth.records == 1);
    ASSERT_TRUE(AppendGrowth(result.data, growing, growth, result.listMin, result.listMax));
    EXPECT_EQ(result.data.recordCount, 20002u);
    EXPECT_EQ(result.data.Value(1, 20001), -30.0f);
    EXPECT_EQ(result.listMin[1], "-30.00");
}

// Two records, the second without line end: looks too small for a whole new line read further
// at once instead of handing the same bytes to the next look for ever.
TEST(Growth, SmallLooksMoveOnPastTheTwoRecordRule) {
    TempDir dir;
    const std::string path = dir.Write("small.kvd", "head\r\na b\r\n1 2\r\n3 4");
    LoadResult result = LoadFile(path);
    ASSERT_EQ(result.status, LoadStatus::Loaded);
    GrowingData growing{result.settled, result.follow.provisional};
    FollowReader reader(path, result.follow);
    Append(path, "5 6 7 8 9 10 11 12\r\n13 14\r\n");
    Follow(reader, result, growing, false, 1);
    const LoadResult whole = LoadFile(path);
    ASSERT_EQ(result.data.recordCount, whole.data.recordCount);
    for (std::uint32_t c = 0; c < whole.data.channelCount; ++c)
        EXPECT_TRUE(std::equal(whole.data.columns[c].begin(), whole.data.columns[c].end(),
                               result.data.columns[c].begin()));
}

TEST(Growth, ChangesOtherThanGrowthAreRefused) {
    TempDir dir;
    const std::string text = "head\r\na b\r\n1 2\r\n3 4\r\n5 6\r\n";
    struct Case {
        const char* name;
        std::function<void(const std::string&)> change;
        GrowthKind kind;
    };
    const Case cases[] = {
        {"shrink", [](const std::string& p) { std::filesystem::resize_file(p, 12); },
         GrowthKind::Shrunk},
        {"rewrite in place",
         [&](const std::string& p) {
             std::string changed = text;
             changed[changed.size() - 3] = '7';
             std::ofstream(p, std::ios::binary | std::ios::in) << changed;
         },
         GrowthKind::Rewritten},
        {"rewrite and grow",
         [&](const std::string& p) {
             std::string changed = text + "7 8\r\n";
             changed[changed.size() - 8] = '9';
             std::ofstream(p, std::ios::binary) << changed;
         },
         GrowthKind::Rewritten},
        {"replace",
         [&](const std::string& p) {
             std::ofstream(p + ".new", std::ios::binary) << text + "7 8\r\n";
             std::filesystem::rename(p + ".new", p);
         },
         GrowthKind::Replaced},
        {"delete", [](const std::string& p) { std::filesystem::remove(p); }, GrowthKind::Gone},
        {"permission lost",
         [](const std::string& p) {
             std::filesystem::permissions(p, std::filesystem::perms::none);
         },
         GrowthKind::Unreadable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
#ifdef _WIN32
        if (c.kind == GrowthKind::Unreadable)
            continue; // no read permission to take away there
#else
        if (c.kind == GrowthKind::Unreadable && ::geteuid() == 0)
            continue; // the superuser reads it anyway
#endif
        const std::string path = dir.Write("change.kvd", text);
        const LoadResult result = LoadFile(path);
        ASSERT_EQ(result.status, LoadStatus::Loaded);
        FollowReader reader(path, result.follow);
        c.change(path);
        const Growth growth = reader.Look(true);
        EXPECT_EQ(growth.kind, c.kind);
        EXPECT_EQ(growth.records, 0u);
        std::error_code error;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, error);
    }
}

// A large column grows in place; what lies past its size reads 0 again when it grows back.
TEST(Growth, ColumnsGrowInPlace) {
    for (const std::size_t reserve : {std::size_t(0), std::size_t(1) << 20}) {
        Column column(std::vector<float>{1, 2, 3});
        ASSERT_TRUE(column.Reserve(reserve));
        const float* before = column.data();
        column.Resize(400000);
        EXPECT_EQ(column.data() == before, reserve != 0);
        column[399999] = 5;
        column.Resize(399999);
        column.Resize(400001);
        EXPECT_EQ(column[0] + column[1] + column[2], 6.0f);
        EXPECT_EQ(column[399999], 0.0f);
        const Column copy = column;
        EXPECT_EQ(copy.size(), 400001u);
        EXPECT_EQ(copy[2], 3.0f);
    }
}

} // namespace
} // namespace kurvon
