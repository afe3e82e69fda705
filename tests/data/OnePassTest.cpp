// One pass on two threads gives what one thread gives wherever the split falls, and the sums
// that tell changed bytes add up however the bytes are split.

#include "TestFiles.h"

#include "data/ByteSum.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kurvon {
namespace {

using namespace test;

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(OnePass, TwoThreadsLikeOneWhereverTheSplitFalls) {
    const std::string rows = Repeat("1.5 -2\r\n3 4e1\r\n", 100);
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"names past the middle", std::string(5000, 'h') + "\r\na b\r\n" + rows},
        {"middle in blank lines", "h\r\na b\r\n" + rows + Repeat(" \t\r\n\r\n", 800) + rows},
        {"Ctrl-Z before the middle", "h\na b\n" + rows + "\x1A" + rows + rows + rows},
        {"Ctrl-Z past the middle", "h\na b\n" + rows + rows + rows + "9 9\x1A" + rows},
        {"cut at tabs", "h\r\nx y\tz\r\n1\t3\r\n" + Repeat(" 2 \t\t5\r\n", 300)},
        {"no line end at the end", "h\r\na b\r\n" + rows + "7 8"},
        {"one record", "h\r\na b\r\n" + Repeat("\r\n", 3000) + "1 2\r\n"},
        {"uneven lines", "h\na b c\n" + Repeat("1\n2 3 4 5\n\n6 7\n", 150)},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const std::string path = dir.Write("split.kvd", c.text);
        const LoadResult one = LoadFile(path, Chunks(1 << 20, false));
        ASSERT_NE(one.status, LoadStatus::FileChanged) << c.name;
        for (const std::size_t chunk : {std::size_t(7), std::size_t(64), std::size_t(1) << 20}) {
            SCOPED_TRACE(std::string(c.name) + ", chunks of " + std::to_string(chunk));
            RecordingSink sink;
            const LoadResult two = LoadFile(path, Chunks(chunk, true), &sink);
            ExpectSameLoad(two, one);
            EXPECT_EQ(std::tie(two.follow.offset, two.follow.records, two.follow.provisional),
                      std::tie(one.follow.offset, one.follow.records, one.follow.provisional));
            const std::vector<int>& p = sink.positions;
            EXPECT_TRUE(std::adjacent_find(p.begin(), p.end(), std::greater_equal<>()) == p.end());
            if (one.status == LoadStatus::Loaded) {
                EXPECT_EQ(std::count(p.begin(), p.end(), 15) + std::count(p.begin(), p.end(), 95),
                          2);
                EXPECT_EQ(p.back(), 99);
            } else {
                EXPECT_EQ(p.back(), 15); // a file too short stops there
            }
        }
    }
}

TEST(OnePass, CancelledOnTwoThreads) {
    TempDir dir;
    const std::string path = dir.Write("cancel.kvd", "h\r\na b\r\n" + Repeat("1.5 2.5\r\n", 50000));
    std::atomic<bool> cancelled{false};
    LoadOptions options = Chunks(4096, true);
    options.cancel = &cancelled;
    ChangingSink sink(30, [&] { cancelled = true; });
    const LoadResult result = LoadFile(path, options, &sink);
    EXPECT_EQ(result.status, LoadStatus::Cancelled);
    EXPECT_TRUE(result.data.columns.empty());
    EXPECT_LT(sink.positions.back(), 95);
}

// Word i of the file weighs 2i + 1; a second sum takes each word rotated by half.
ByteSum WordByWord(const std::string& bytes) {
    std::string padded = bytes + std::string(8, '\0');
    ByteSum sum;
    for (std::size_t i = 0; i * 8 < bytes.size(); ++i) {
        std::uint64_t word;
        std::memcpy(&word, padded.data() + 8 * i, 8);
        sum.plain += word * (2 * i + 1);
        sum.rotated += std::rotl(word, 32) * (2 * i + 1);
    }
    return sum;
}

TEST(ByteSum, SplitsAddUpAndEveryByteTells) {
    std::mt19937 random(5);
    for (int round = 0; round < 50; ++round) {
        std::string bytes(1 + random() % 3000, '\0');
        for (char& b : bytes)
            b = static_cast<char>(random());
        ByteSum whole;
        whole.Add(0, bytes.data(), bytes.size());
        ASSERT_EQ(whole, WordByWord(bytes));
        ByteSum pieces;
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t n = std::min<std::size_t>(bytes.size() - at, random() % 40);
            pieces.Add(at, bytes.data() + at, n);
            at += n;
        }
        ASSERT_EQ(pieces, whole);
        bytes[random() % bytes.size()] ^= static_cast<char>(1 << (random() % 8));
        ByteSum changed;
        changed.Add(0, bytes.data(), bytes.size());
        ASSERT_NE(changed, whole);
    }
}

} // namespace
} // namespace kurvon
