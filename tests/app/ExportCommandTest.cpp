// --export: every value reads back to the same float, names and selection as asked, the file
// through a link written where the link points.
#include "AppTestSupport.h"

#include "app/CommandLine.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <gtest/gtest.h>

namespace kurvon::test {
namespace {

std::uint32_t Bits(float v) {
    std::uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

TEST(ExportCommand, ValuesReadBackBitForBitWithNamesAndSelection) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    // Awkward names (a comma, a quote) and values that test the shortest round trip: 0.1, a
    // denormal, the largest float, values beyond it (infinities), -0.
    const std::string data = WriteBytes(dir, "in.kvd",
                                        "header\r\n"
                                        "t a,b say\"hi\" v\r\n"
                                        "0 0.1 1e-45 3.4028235e38\r\n"
                                        "1 -0 1e39 -1e39\r\n"
                                        "2 123456789 0.3333333333 2.5\r\n"
                                        "3 4 5 6\r\n")
                                 .toStdString();
    LoadResult loaded;
    ASSERT_EQ(LoadForCommand(data, loaded), "");
    const QString out = dir.filePath("all.csv");
    const Ran all = RunCli({"--export", out.toStdString(), data});
    ASSERT_EQ(all.code, 0) << all.err;
    const QList<QByteArray> rows = ReadBytes(out).split('\n');
    ASSERT_EQ(rows.size(), 6); // and an empty piece after the last CR LF
    EXPECT_EQ(rows[0], "\xEF\xBB\xBFrecord,t,\"a,b\",\"say\"\"hi\"\"\",v\r");
    EXPECT_EQ(rows[2], "1,1,-0,inf,-inf\r");
    for (std::uint32_t r = 0; r < 4; ++r) {
        const QList<QByteArray> fields = rows[r + 1].chopped(1).split(',');
        ASSERT_EQ(fields.size(), 5);
        EXPECT_EQ(fields[0], QByteArray::number(r));
        for (std::uint32_t c = 0; c < 4; ++c) {
            const float back = std::strtof(fields[c + 1].constData(), nullptr);
            EXPECT_EQ(Bits(back), Bits(loaded.data.Value(c, r))) << fields[c + 1].constData();
        }
    }

    // A window and channels in the order given, to standard output without the mark.
    const Ran part = RunCli({"--export", "-", data, "--channels", "3,1", "--window", "1:2"});
    ASSERT_EQ(part.code, 0) << part.err;
    EXPECT_EQ(part.out, "record,v,\"a,b\"\r\n1,-inf,-0\r\n2,2.5,123456792\r\n");
    // GBK names come out as UTF-8 ("流" makes the line GBK).
    const std::string gbk =
        WriteBytes(dir, "gbk.kvd", "h\r\n\xCA\xB1 \xD1\xB9 \xC1\xF7\r\n1 2 0\r\n3 4 0\r\n")
            .toStdString();
    EXPECT_EQ(RunCli({"--export", "-", gbk}).out, "record,时,压,流\r\n0,1,2,0\r\n1,3,4,0\r\n");

    // A link's target is written; the link stays a link.
    const QString link = dir.filePath("link.csv");
    ASSERT_TRUE(QFile::link(WriteBytes(dir, "old.csv", "old"), link));
    ASSERT_EQ(RunCli({"--export", link.toStdString(), data}).code, 0);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadBytes(dir.filePath("old.csv")), ReadBytes(out));
}

} // namespace
} // namespace kurvon::test
