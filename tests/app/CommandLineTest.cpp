// The command line: --info's report, every failure of every command with its exit status, one
// line saying why (the usage after it for misplaced arguments) and nothing written, and the
// window's start without a display.
#include "AppTestSupport.h"

#include "app/DisplayCheck.h"

namespace kurvon::test {
namespace {

TEST(CommandLine, InfoPrintsCountsAndChannelsAndVersion) {
    QTemporaryDir dir;
    // Names in GBK ("电压", "电流").
    const std::string path = WriteBytes(QDir(dir.path()), "info.kvd",
                                        "2012-05-14 cell 3\r\n"
                                        "t \xB5\xE7\xD1\xB9 \xB5\xE7\xC1\xF7\r\n"
                                        "0 12.60 -1.50\r\n"
                                        "1 12.55 -1.5\r\n"
                                        "2 12.5V 1e-1\r\n")
                                 .toStdString();
    const Ran info = RunCli({"--info", path});
    EXPECT_EQ(info.code, 0);
    EXPECT_EQ(info.out, "channels: 3\n"
                        "records: 3\n"
                        "zoom step: 0\n"
                        "0\tt\t0.00\t2.00\n"
                        "1\t电压\t12.50\t12.60\n"
                        "2\t电流\t-1.50\t0.10\n");
    EXPECT_EQ(info.err, "");
    EXPECT_EQ(RunCli({"--version"}).out, "kurvon 1.0.0\n");
}

TEST(CommandLine, FailuresSayWhyInOneLineAndWriteNothing) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const auto at = [&dir](const char* name) { return dir.filePath(name).toStdString(); };
    const std::string data = WriteDataFile(dir, "data.kvd", 4, 4).toStdString();
    const std::string empty = WriteBytes(dir, "empty.kvd", "").toStdString();
    const std::string one = WriteBytes(dir, "one.kvd", "h\r\na b\r\n1 2\r\n").toStdString();
    const std::string fifo = Fifo(dir).toStdString();
    const std::string sparse = SparseFile(dir).toStdString();
    const std::string bmp = WriteBytes(dir, "old.bmp", "keep me").toStdString();
    const std::string csv = WriteBytes(dir, "old.csv", "keep me").toStdString();
    dir.mkdir("folder");
    const QStringList files = dir.entryList(QDir::Files | QDir::System);
    const struct {
        std::vector<std::string> args;
        int code;
        const char* says;
    } cases[] = {
        {{"--info"}, 2, "--info needs exactly one file"},
        {{"--info", data, "--size", "10x10"}, 2, "--size is an option of --render, not of --info"},
        {{"--bogus"}, 2, "unknown option --bogus"},
        {{data, data}, 2, "give at most one data file"},
        {{"--no-follow", data, "--nope"}, 2, "unknown option --nope"},
        {{data, "--follow", data}, 2, "give at most one data file"},
        {{"--info", fifo}, 1, "not a regular file"}, // opening it would wait for a writer
        {{"--info", "/dev/null"}, 1, "not a regular file"},
        {{"--info", "/proc/self/mem"}, 1, "is empty"},
        {{"--info", sparse}, 1, "line longer than 64 MB"},
        {{"--render", bmp}, 2, "needs an output picture and a data file"},
        {{"--render", bmp, data, "--size"}, 2, "--size needs a value"},
        {{"--render", bmp, data, "--size", "0x100"}, 2, "(expected WxH, each from 1 to 16384)"},
        {{"--render", bmp, data, "--bogus", "1"}, 2, "unknown option --bogus"},
        {{"--render", bmp, data, "--info"}, 2, "--info is a command of its own"},
        {{"--render", bmp, data, "--channels", "4"}, 2, "no channel 4"},
        {{"--render", bmp, data, "--channels", "1,1"}, 2, "listed twice"},
        {{"--render", bmp, data, "--window", "2:2"}, 2, "FIRST < LAST"},
        {{"--render", bmp, data, "--seed", "-1"}, 2, "whole number"},
        {{"--render", bmp, data, "--x", "-1"}, 2, "a channel number from 0"},
        {{"--render", bmp, data, "--x", "4"}, 2, "no channel 4"},
        {{"--render", bmp, data, "--x", "0", "--overlay", "1,,2"}, 2, "missing between two commas"},
        {{"--render", bmp, data, "--overlay", "1"}, 2, "give --x CH too"},
        {{"--render", bmp, data, "--x", "0", "--overlay-relative"}, 2, "needs --overlay"},
        {{"--render", bmp, data, "--x", "0", "--overlay", "1"}, 2, "no cycles in"},
        {{"--render", at("chart.jpg"), data}, 2, ".png"},
        {{"--render", at("folder"), data}, 2, "is a folder"},
        {{"--render", bmp, at("none.kvd")}, 1, "No such file or directory"},
        {{"--render", bmp, at("folder")}, 1, "is a folder"},
        {{"--render", bmp, empty}, 1, "is empty"},
        {{"--render", bmp, one}, 1, "too few records"},
        {{"--render", at("no/dir.bmp"), data}, 1, "No such file or directory"},
        {{"--export", csv, data, "--window", "0:4"}, 2, "FIRST < LAST <= 3"},
        {{"--export", csv, data, "--channels", "4"}, 2, "no channel 4 (the file has 4)"},
        {{"--export", csv, data, "--channels", "1,x"}, 2, "bad value for --channels"},
        {{"--export", csv, data, "--colour", "1"}, 2, "unknown option --colour for --export"},
        {{"--export", csv}, 2, "needs an output file"},
        {{"--export", at("folder"), data}, 1, "not a regular file"},
        {{"--export", at("nowhere/x.csv"), data}, 1, "cannot write"},
    };
    for (const auto& c : cases) {
        const Ran ran = RunCli(c.args);
        EXPECT_EQ(ran.code, c.code) << c.says;
        const std::string line = ran.err.substr(0, ran.err.find('\n') + 1);
        EXPECT_TRUE(line.rfind("kurvon: ", 0) == 0 && line.find(c.says) != std::string::npos)
            << ran.err;
        EXPECT_TRUE(ran.err == line || ran.err.substr(line.size()).rfind("Usage:", 0) == 0)
            << ran.err;
        EXPECT_EQ(ran.out, "");
    }
    EXPECT_EQ(dir.entryList(QDir::Files | QDir::System), files);
    for (const std::string& old : {bmp, csv})
        EXPECT_EQ(ReadBytes(QString::fromStdString(old)), "keep me");
}

// The real program under a shell limit: status 1 and the system's reason, not a silent death
// (nor SIGXFSZ); the targets written over keep their old bytes, no temporary is left.
TEST(CommandLine, LimitsSayWhy) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const QString data = WriteDataFile(dir, "data.kvd", 4, 1000);
    // 1000 channels of zeros on 100000 short lines: a 400 MB table from a 300 KB file.
    const QString wide =
        WriteBytes(dir, "wide.kvd",
                   "wide\r\n" + QByteArray("c ").repeated(1000).toStdString() + "\r\n" +
                       QByteArray("1\r\n").repeated(100000).toStdString());
    const QString bmp = WriteBytes(dir, "a.bmp", "keep me");
    const QString csv = WriteBytes(dir, "a.csv", "keep me");
    const std::tuple<const char*, QStringList, const char*> cases[] = {
        {"ulimit -v 200000 &&", {"--info", wide}, "not enough memory"},
        {"ulimit -f 10 &&", {"--render", bmp, data, "--size", "2000x1500"}, "File too large"},
        {"ulimit -f 10 &&", {"--export", csv, data}, "File too large"}};
    for (const auto& [limit, args, says] : cases) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
        if (QByteArray(limit).contains("-v"))
            continue; // the sanitizers reserve more than any limit allows
#endif
        const std::optional<Ran> ran = RunProgram(limit, args, true);
        if (!ran)
            GTEST_SKIP() << "kurvon is not built beside the tests";
        EXPECT_EQ(ran->code, 1) << says;
        EXPECT_NE(ran->err.find(says), std::string::npos) << ran->err;
    }
    for (const QString& old : {bmp, csv})
        EXPECT_EQ(ReadBytes(old), "keep me") << old.toStdString();
    EXPECT_EQ(dir.entryList(QDir::Files).size(), 4);
}

TEST(DisplayCheck, PlatformsThatCanAndCannotOpenAWindow) {
    const auto answers = [](const std::string& display) { return display == ":0"; };
    const struct {
        DisplaySetting setting;
        bool available;
    } cases[] = {
        {{"", "", "", ""}, false},                // nothing at all: xcb with no DISPLAY
        {{"", ":0", "", ""}, true},               // an X server that answers
        {{"xcb;wayland", ":7", "", ""}, false},   // one that does not
        {{"", "", "wayland-0", "wayland"}, true}, // a Wayland session
        {{"", ":0", "", "wayland"}, true},        // Qt falls back to xcb
        {{"", "", "wayland-0", ""}, false},       // default xcb, no X
        {{"wayland-egl", "", "wayland-1", ""}, true},
        {{"xcb;offscreen", "", "", ""}, true}, // the second of the list works
        {{";", ":0", "", ""}, true},           // no names: the default
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DisplayAvailable(c.setting, answers), c.available)
            << c.setting.platform << " DISPLAY=" << c.setting.xDisplay
            << " WAYLAND_DISPLAY=" << c.setting.waylandDisplay;
    }
}

// The real program, started without any display: one line and status 1, no abort.
TEST(DisplayCheck, WindowWithoutDisplaySaysSoInOneLine) {
    for (const QStringList& arguments : {QStringList(), QStringList{"a.kvd"}}) {
        const std::optional<Ran> ran = RunProgram("", arguments, false);
        if (!ran)
            GTEST_SKIP() << "kurvon is not built beside the tests";
        EXPECT_EQ(ran->code, 1);
        EXPECT_EQ(std::count(ran->err.begin(), ran->err.end(), '\n'), 1) << ran->err;
        for (const char* says : {"no display found", "--info", "--render"})
            EXPECT_NE(ran->err.find(says), std::string::npos) << ran->err;
        EXPECT_EQ(ran->out, "");
    }
}

} // namespace
} // namespace kurvon::test
