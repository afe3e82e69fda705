// The second thread of a pass, done with its own share first, takes over the end of the first
// thread's: the pass still gives exactly what one thread gives.

#include "TestFiles.h"

#include "data/LoadPass.h"

#include <cstring>
#include <limits>

namespace kurvon {
namespace {

using namespace test;

struct Pass {
    std::vector<Floats> columns;
    Strings names;
    PassResult result;
    PassOutcome outcome = PassOutcome::Cancelled;
};

Pass RunPass(const InputFile& file, std::uint64_t size, std::uint32_t channels,
             std::uint64_t capacity, bool twoThreads) {
    Pass pass;
    pass.columns.assign(channels, Floats(capacity, 0.0f));
    pass.names.assign(channels, std::string());
    std::vector<float*> columns;
    for (Floats& column : pass.columns)
        columns.push_back(column.data());
    PassJob job;
    job.file = &file;
    job.fileSize = size;
    job.chunkBytes = 4096;
    job.columns = columns.data();
    job.channels = channels;
    job.capacity = capacity;
    job.names = &pass.names;
    job.parallelMinBytes = twoThreads ? 0 : std::numeric_limits<std::uint64_t>::max();
    RecordingSink sink;
    ProgressGate progress(sink);
    pass.outcome = RunLoadPass(job, progress, pass.result);
    return pass;
}

TEST(TakeOver, TheSecondThreadTakesTheRestOfTheFirstShareAndChangesNothing) {
    // Long mantissas (the slow conversion) up to a Ctrl-Z some way past the middle: the second
    // thread is done with its share long before the first.
    std::string text = "title\r\nv a b c\r\n";
    for (int i = 0; i < 5000; ++i)
        text += std::to_string(i) + " 1.23456789012345678e-" + std::to_string(i % 30) +
                "\t-9.8765432109876543" + std::to_string(i % 10) + "E+4  \t" + std::to_string(i) +
                ".000000000000000001" + (i % 7 ? "\r\n" : "\r\n \t\n\n");
    text += "\x1A" + std::string(text.size() / 2, 'x');
    TempDir dir;
    InputFile file;
    ASSERT_TRUE(file.Open(dir.Write("take.kvd", text)));
    const Pass one = RunPass(file, text.size(), 4, 6000, false);
    ASSERT_EQ(one.outcome, PassOutcome::Done);
    ASSERT_EQ(one.result.records, 5000u);
    bool tookOver = false;
    // Whether it takes over depends on timing: some of the tries should.
    for (int attempt = 0; attempt < 20 && !tookOver; ++attempt) {
        const Pass two = RunPass(file, text.size(), 4, 6000, true);
        ASSERT_EQ(two.outcome, PassOutcome::Done);
        EXPECT_EQ(two.result.records, one.result.records);
        EXPECT_EQ(two.result.textEnd, one.result.textEnd);
        EXPECT_EQ(two.result.sum, one.result.sum);
        EXPECT_EQ(two.names, one.names);
        for (std::size_t c = 0; c < one.columns.size(); ++c)
            ASSERT_EQ(std::memcmp(two.columns[c].data(), one.columns[c].data(),
                                  one.columns[c].size() * sizeof(float)),
                      0)
                << "channel " << c;
        tookOver = two.result.takenOver > 0;
    }
    EXPECT_TRUE(tookOver);
}

} // namespace
} // namespace kurvon
