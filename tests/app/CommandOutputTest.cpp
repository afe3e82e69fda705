// What --render and --export write: the client picture of the real view, the same for a seed
// and for the reference drawing, as BMP or PNG; values that read back to the same float.
#include "AppTestSupport.h"

#include "app/CommandLine.h"

#include <QFileInfo>
#include <QImage>
#include <bit>
#include <set>

namespace kurvon::test {
namespace {

TEST(CommandOutput, RenderWritesTheClientPicture) {
    QTemporaryDir dir;
    // Channel 0 rises 0 .. 99.5, channel 1 is constant, channel 2 falls.
    std::string text = "render test\r\nrise\tflat\tfall\r\n";
    for (int r = 0; r < 200; ++r)
        text += std::to_string(r / 2.0) + "\t3\t" + std::to_string(100 - r / 2.0) + "\r\n";
    const std::string data = WriteBytes(QDir(dir.path()), "data.kvd", text).toStdString();
    const QString out = dir.filePath("chart.bmp");
    const std::vector<std::string> args = {"--render", out.toStdString(), data,      "--size",
                                           "800x500",  "--channels",      "1,0",     "--window",
                                           "10:150",   "--cursor",        "200,200", "--drag",
                                           "100:300",  "--seed",          "5"};
    const Ran ran = RunCli(args);
    ASSERT_EQ(ran.code, 0) << ran.err;
    const QByteArray b = ReadBytes(out);
    ASSERT_EQ(b.size(), 54 + 2400 * 500);
    const QImage bmp = QImage::fromData(b, "BMP").convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(bmp.pixelColor(150, 20), QColor(200, 200, 235)); // selection band
    EXPECT_EQ(bmp.pixelColor(200, 400), QColor(Qt::black));    // crosshair
    // The strip holds the real channel list: one coloured swatch per channel in column 1.
    std::set<QRgb> swatches;
    for (int y = 0; y < 200; ++y) {
        const QColor p = bmp.pixelColor(500 + 20 + 25, y);
        if (p.red() != p.green() || p.green() != p.blue())
            swatches.insert(p.rgb());
    }
    EXPECT_EQ(swatches.size(), 3u);

    // The same seed gives the same picture, and so does the reference drawing wherever the flag
    // stands; a PNG holds the same pixels; the default size is 1000 x 600.
    for (std::size_t at : {std::size_t(0), std::size_t(3), args.size()}) {
        std::vector<std::string> again = args;
        if (at)
            again.insert(again.begin() + static_cast<std::ptrdiff_t>(at), "--literal");
        ASSERT_EQ(RunCli(again).code, 0);
        EXPECT_EQ(ReadBytes(out), b);
    }
    std::vector<std::string> png = args;
    png[1] = dir.filePath("c.PNG").toStdString();
    ASSERT_EQ(RunCli(png).code, 0);
    EXPECT_TRUE(ReadBytes(dir.filePath("c.PNG")).startsWith("\x89PNG"));
    EXPECT_EQ(QImage(dir.filePath("c.PNG")).convertToFormat(QImage::Format_RGB32), bmp);
    ASSERT_EQ(RunCli({"--render", out.toStdString(), data}).code, 0);
    EXPECT_EQ(ReadBytes(out).size(), 54 + 3000 * 600);

    // Against channel 2 (falling): another picture, the same with the reference drawing.
    std::vector<std::string> against = args;
    against.insert(against.end(), {"--x", "2"});
    ASSERT_EQ(RunCli(against).code, 0);
    const QByteArray x = ReadBytes(out);
    EXPECT_NE(x, b);
    against.push_back("--literal");
    ASSERT_EQ(RunCli(against).code, 0);
    EXPECT_EQ(ReadBytes(out), x);
}

TEST(CommandOutput, ExportedValuesReadBackBitForBitWithNamesAndSelection) {
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
    // Through a link: the link's target is written, the link stays a link.
    const QString out = dir.filePath("out.csv");
    ASSERT_TRUE(QFile::link(WriteBytes(dir, "old.csv", "old"), out));
    const Ran all = RunCli({"--export", out.toStdString(), data});
    ASSERT_EQ(all.code, 0) << all.err;
    EXPECT_TRUE(QFileInfo(out).isSymLink());
    const QList<QByteArray> rows = ReadBytes(dir.filePath("old.csv")).split('\n');
    ASSERT_EQ(rows.size(), 6); // and an empty piece after the last CR LF
    EXPECT_EQ(rows[0], "\xEF\xBB\xBFrecord,t,\"a,b\",\"say\"\"hi\"\"\",v\r");
    EXPECT_EQ(rows[2], "1,1,-0,inf,-inf\r");
    for (std::uint32_t r = 0; r < 4; ++r) {
        const QList<QByteArray> fields = rows[r + 1].chopped(1).split(',');
        ASSERT_EQ(fields.size(), 5);
        EXPECT_EQ(fields[0], QByteArray::number(r));
        for (std::uint32_t c = 0; c < 4; ++c) {
            const float back = std::strtof(fields[c + 1].constData(), nullptr);
            EXPECT_EQ(std::bit_cast<std::uint32_t>(back),
                      std::bit_cast<std::uint32_t>(loaded.data.Value(c, r)))
                << fields[c + 1].constData();
        }
    }
    // A window and channels in the order given, to standard output without the mark.
    const Ran part = RunCli({"--export", "-", data, "--channels", "3,1", "--window", "1:2"});
    ASSERT_EQ(part.code, 0) << part.err;
    EXPECT_EQ(part.out, "record,v,\"a,b\"\r\n1,-inf,-0\r\n2,2.5,123456792\r\n");
}

} // namespace
} // namespace kurvon::test
