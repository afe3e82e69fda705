#include "AppTestSupport.h"

#include "app/RenderCommand.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace kurvon {
namespace {

std::string WriteFile(const QTemporaryDir& dir, const char* name, const std::string& text) {
    return test::WriteBytes(QDir(dir.path()), QString::fromLatin1(name), text).toStdString();
}

// Channel 0 rises 0 .. 99.5, channel 1 is constant, channel 2 falls.
std::string WriteData(const QTemporaryDir& dir) {
    std::string text = "render test\r\nrise\tflat\tfall\r\n";
    for (int r = 0; r < 200; ++r)
        text += std::to_string(r / 2.0) + "\t3\t" + std::to_string(100 - r / 2.0) + "\r\n";
    return WriteFile(dir, "data.kvd", text);
}

QByteArray ReadAll(const std::string& path) {
    return test::ReadBytes(QString::fromStdString(path));
}

// The 24-bit pixel (x, y) of a bottom-up BMP as 0xRRGGBB.
unsigned BmpPixel(const QByteArray& b, int width, int height, int x, int y) {
    const int row = (width * 3 + 3) / 4 * 4;
    const int at = 54 + (height - 1 - y) * row + x * 3;
    return (uchar(b[at + 2]) << 16) | (uchar(b[at + 1]) << 8) | uchar(b[at]);
}

TEST(RenderCommandTest, WritesTheClientPicture) {
    QTemporaryDir dir;
    const std::string data = WriteData(dir);
    const std::string out = dir.filePath(QStringLiteral("chart.bmp")).toStdString();
    const std::vector<std::string> args = {"--render",   out,      data,       "--size", "800x500",
                                           "--channels", "1,0",    "--window", "10:150", "--cursor",
                                           "200,200",    "--drag", "100:300",  "--seed", "5"};
    std::ostringstream err;
    ASSERT_EQ(RunRenderCommand(args, err), 0) << err.str();
    EXPECT_TRUE(err.str().empty());
    const QByteArray b = ReadAll(out);
    ASSERT_EQ(b.size(), 54 + 2400 * 500);
    EXPECT_EQ(BmpPixel(b, 800, 500, 300, 10), 0x000000u);  // top frame edge
    EXPECT_EQ(BmpPixel(b, 800, 500, 150, 20), 0xC8C8EBu);  // selection band
    EXPECT_EQ(BmpPixel(b, 800, 500, 200, 400), 0x000000u); // crosshair
    EXPECT_EQ(BmpPixel(b, 800, 500, 350, 100), 0xFFFFFFu); // beyond the band
    // The strip holds the real channel list: one coloured swatch per channel in column 1.
    std::set<unsigned> swatches;
    for (int y = 0; y < 200; ++y) {
        const unsigned p = BmpPixel(b, 800, 500, 500 + 20 + 25, y);
        const unsigned r = p >> 16, g = (p >> 8) & 0xFF, bl = p & 0xFF;
        if (!(r == g && g == bl))
            swatches.insert(p);
    }
    EXPECT_EQ(swatches.size(), 3u);

    // The same seed gives the same picture, and so does the reference drawing, wherever the
    // flag stands; the default size is 1000 x 600.
    ASSERT_EQ(RunRenderCommand(args, err), 0);
    EXPECT_EQ(ReadAll(out), b);
    for (std::size_t at : {std::size_t(3), args.size()}) {
        std::vector<std::string> literal = args;
        literal.insert(literal.begin() + static_cast<std::ptrdiff_t>(at), "--literal");
        ASSERT_EQ(RunRenderCommand(literal, err), 0) << err.str();
        EXPECT_EQ(ReadAll(out), b);
    }
    ASSERT_EQ(RunRenderCommand({"--render", out, data}, err), 0);
    EXPECT_EQ(ReadAll(out).size(), 54 + 3000 * 600);

    // The suffix chooses PNG in any case; the pixels are the BMP's.
    const QImage bmp = QImage::fromData(b, "BMP").convertToFormat(QImage::Format_RGB32);
    for (const char* name : {"b.png", "c.PNG"}) {
        std::vector<std::string> png = args;
        png[1] = dir.filePath(QString::fromLatin1(name)).toStdString();
        ASSERT_EQ(RunRenderCommand(png, err), 0) << name;
        EXPECT_TRUE(ReadAll(png[1]).startsWith("\x89PNG"));
        EXPECT_EQ(QImage(QString::fromStdString(png[1])).convertToFormat(QImage::Format_RGB32),
                  bmp);
    }
}

TEST(RenderCommandTest, BadArgumentsAndFilesFailWithOneLineSayingWhy) {
    QTemporaryDir dir;
    const std::string data = WriteData(dir);
    const std::string out = dir.filePath(QStringLiteral("chart.bmp")).toStdString();
    const std::string empty = WriteFile(dir, "empty.kvd", "");
    const std::string oneRecord = WriteFile(dir, "one.kvd", "h\r\na b\r\n1 2\r\n");
    const struct {
        std::vector<std::string> args;
        int code;
        const char* says;
    } cases[] = {
        {{"--render", out}, 2, "needs an output picture and a data file"},
        {{"--render", out, data, "--size"}, 2, "--size needs a value"},
        {{"--render", out, data, "--size", "0x100"}, 2, "1 to 16384"},
        {{"--render", out, data, "--size", "100x"}, 2, "WxH"},
        {{"--render", out, data, "--size", "16385x10"}, 2, "16384"},
        {{"--render", out, data, "--bogus", "1"}, 2, "unknown option --bogus"},
        {{"--render", out, data, "--info"}, 2, "--info is a command of its own"},
        {{"--render", out, data, "--channels", "0,,1"}, 2, "channel numbers from 0"},
        {{"--render", out, data, "--channels", "3"}, 2, "no channel 3"},
        {{"--render", out, data, "--channels", "1,1"}, 2, "listed twice"},
        {{"--render", out, data, "--window", "5:5"}, 2, "FIRST < LAST"},
        {{"--render", out, data, "--window", "5:200"}, 2, "FIRST < LAST"},
        {{"--render", out, data, "--cursor", "5"}, 2, "X,Y"},
        {{"--render", out, data, "--seed", "-1"}, 2, "whole number"},
        {{"--render", dir.filePath(QStringLiteral("chart.jpg")).toStdString(), data}, 2, ".png"},
        {{"--render", dir.path().toStdString(), data}, 2, "is a folder"},
        {{"--render", out, dir.filePath(QStringLiteral("none.kvd")).toStdString()},
         1,
         "No such file or directory"},
        {{"--render", out, dir.path().toStdString()}, 1, "is a folder"},
        {{"--render", out, empty}, 1, "is empty"},
        {{"--render", out, oneRecord}, 1, "too few records"},
        {{"--render", dir.filePath(QStringLiteral("no/dir.bmp")).toStdString(), data},
         1,
         "No such file or directory"},
    };
    for (const auto& c : cases) {
        std::ostringstream err;
        EXPECT_EQ(RunRenderCommand(c.args, err), c.code) << c.says;
        const std::string message = err.str();
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
        EXPECT_NE(message.find(c.says), std::string::npos) << message;
    }
    // Nothing was written by the failures.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

} // namespace
} // namespace kurvon
