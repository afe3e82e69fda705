// --render: the client picture of the real view, the same for a seed and for the reference
// drawing, as BMP or PNG.
#include "AppTestSupport.h"

#include <QImage>
#include <gtest/gtest.h>
#include <set>

namespace kurvon::test {
namespace {

// The 24-bit pixel (x, y) of a bottom-up BMP as 0xRRGGBB.
unsigned BmpPixel(const QByteArray& b, int width, int height, int x, int y) {
    const int at = 54 + (height - 1 - y) * ((width * 3 + 3) / 4 * 4) + x * 3;
    return (uchar(b[at + 2]) << 16) | (uchar(b[at + 1]) << 8) | uchar(b[at]);
}

TEST(RenderCommand, WritesTheClientPicture) {
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
    EXPECT_EQ(ran.err, "");
    const QByteArray b = ReadBytes(out);
    ASSERT_EQ(b.size(), 54 + 2400 * 500);
    EXPECT_EQ(BmpPixel(b, 800, 500, 300, 10), 0x000000u);  // top frame edge
    EXPECT_EQ(BmpPixel(b, 800, 500, 150, 20), 0xC8C8EBu);  // selection band
    EXPECT_EQ(BmpPixel(b, 800, 500, 200, 400), 0x000000u); // crosshair
    EXPECT_EQ(BmpPixel(b, 800, 500, 350, 100), 0xFFFFFFu); // beyond the band
    // The strip holds the real channel list: one coloured swatch per channel in column 1.
    std::set<unsigned> swatches;
    for (int y = 0; y < 200; ++y) {
        const QColor p = QColor::fromRgb(BmpPixel(b, 800, 500, 500 + 20 + 25, y));
        if (p.red() != p.green() || p.green() != p.blue())
            swatches.insert(p.rgb());
    }
    EXPECT_EQ(swatches.size(), 3u);

    // The same seed gives the same picture, and so does the reference drawing wherever the flag
    // stands; a PNG (suffix in any case) holds the same pixels; the default size is 1000 x 600.
    const QImage bmp = QImage::fromData(b, "BMP").convertToFormat(QImage::Format_RGB32);
    const auto with = [&args](std::size_t at, const std::string& extra) {
        std::vector<std::string> changed = args;
        changed.insert(changed.begin() + static_cast<std::ptrdiff_t>(at), extra);
        return changed;
    };
    for (const std::vector<std::string>& again :
         {args, with(3, "--literal"), with(args.size(), "--literal")}) {
        ASSERT_EQ(RunCli(again).code, 0);
        EXPECT_EQ(ReadBytes(out), b);
    }
    for (const char* name : {"b.png", "c.PNG"}) {
        std::vector<std::string> png = args;
        png[1] = dir.filePath(name).toStdString();
        ASSERT_EQ(RunCli(png).code, 0) << name;
        EXPECT_TRUE(ReadBytes(dir.filePath(name)).startsWith("\x89PNG"));
        EXPECT_EQ(QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32), bmp);
    }
    ASSERT_EQ(RunCli({"--render", out.toStdString(), data}).code, 0);
    EXPECT_EQ(ReadBytes(out).size(), 54 + 3000 * 600);
}

} // namespace
} // namespace kurvon::test
