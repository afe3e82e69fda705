// kurvon --cycles: the table read back from the CSV, the role options, and the failures.
#include "AppTestSupport.h"

#include "analysis/CycleCsv.h"
#include "analysis/RoleRecognition.h"
#include "app/CommandLine.h"

#include <bit>
#include <cmath>

namespace kurvon::test {
namespace {

// Two cycles by the current: charge at 2 A, discharge at -1 A; time in minutes; no voltage.
std::string TwoCycles(const QDir& dir) {
    std::string text = "cycles\r\ntime(min) load Amps\r\n";
    const int amps[] = {0, 2, 2, 0, -1, -1, 0, 2, 2, -1, 0};
    for (int r = 0; r < 11; ++r)
        text += std::to_string(r) + " 7 " + std::to_string(amps[r]) + "\r\n";
    return WriteBytes(dir, "two.kvd", text).toStdString();
}

TEST(CyclesCommand, TableReadsBackAsComputed) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const std::string example = KURVON_EXAMPLES_DIR "/example.kvd";
    const QString out = dir.filePath("cycles.csv");
    const Ran ran = RunCli({"--cycles", out.toStdString(), example});
    ASSERT_EQ(ran.code, 0) << ran.err;
    EXPECT_EQ(ran.err, "kurvon: " + example +
                           ": no cycle channel found; cycles are found from the current\n");
    LoadResult loaded;
    ASSERT_EQ(LoadForCommand(example, loaded), "");
    const ChannelRoles roles = {
        {{{std::nullopt, Unit::None}, {2u, Unit::A}, {1u, Unit::V}, {0u, Unit::s}}}};
    const CycleTable table = ComputeCycleTable(loaded.data, roles);
    ASSERT_GT(table.cycles.size(), 5u);
    const QList<QByteArray> rows = ReadBytes(out).split('\n');
    ASSERT_EQ(rows.size(), qsizetype(table.cycles.size() + 2)); // and the piece after the end
    EXPECT_EQ(rows[0], "\xEF\xBB\xBF" + QByteArray(CycleCsvHeader().data()) + "\r");
    for (std::size_t i = 0; i < table.cycles.size(); ++i) {
        const CycleFigures& c = table.cycles[i];
        const QList<QByteArray> f = rows[qsizetype(i + 1)].chopped(1).split(',');
        ASSERT_EQ(f.size(), 15);
        EXPECT_EQ(f[0].toUInt(), c.number);
        EXPECT_EQ(f[1].toUInt(), c.firstRecord);
        EXPECT_EQ(f[2].toUInt(), c.lastRecord);
        EXPECT_EQ(f[14].toULongLong(), c.skippedPairs);
        const double figures[] = {c.durationS,
                                  c.chargeAh,
                                  c.dischargeAh,
                                  c.coulombicEfficiencyPct,
                                  c.chargeWh,
                                  c.dischargeWh,
                                  c.energyEfficiencyPct,
                                  c.endOfChargeV,
                                  c.endOfDischargeV,
                                  c.minV,
                                  c.maxV};
        for (int k = 0; k < 11; ++k) {
            if (f[k + 3].isEmpty()) { // an empty figure
                EXPECT_TRUE(std::isnan(figures[k])) << i << " " << k;
                continue;
            }
            const float back = std::strtof(f[k + 3].constData(), nullptr);
            EXPECT_EQ(std::bit_cast<std::uint32_t>(back),
                      std::bit_cast<std::uint32_t>(static_cast<float>(figures[k])))
                << i << " " << k;
        }
    }
    // The same rows on standard output, without the mark.
    const Ran toStdout = RunCli({"--cycles", "-", example});
    EXPECT_EQ(QByteArray::fromStdString(toStdout.out), ReadBytes(out).mid(3));
}

TEST(CyclesCommand, RoleOptionsAndFailures) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const std::string two = TwoCycles(dir);
    // Recognised: Amps (A) and t (min); no voltage, so energies and voltages are empty.
    const Ran plain = RunCli({"--cycles", "-", two});
    ASSERT_EQ(plain.code, 0) << plain.err;
    const std::string header(CycleCsvHeader());
    EXPECT_EQ(plain.out, header + "\r\n1,0,6,360,0.06666667,0.033333335,50,,,,,,,,0\r\n"
                                  "2,7,10,180,0.06666667,0.016666668,25,,,,,,,,0\r\n");
    EXPECT_NE(plain.err.find("no voltage channel found"), std::string::npos);
    // Named by number and by name, a unit given, the time left out, the efficiency inverted.
    const Ran named = RunCli({"--cycles", "-", two, "--current", "Amps:mA", "--voltage", "1",
                              "--time", "none", "--inverse-efficiency"});
    ASSERT_EQ(named.code, 0) << named.err;
    EXPECT_EQ(named.out, header + "\r\n1,0,6,,,,,,,,7,7,7,7,0\r\n2,7,10,,,,,,,,7,7,7,7,0\r\n");
    EXPECT_EQ(named.err.find("voltage"), std::string::npos); // given: no note
    // A cycle channel chosen: a run of equal values is a cycle.
    const Ran byLoad = RunCli({"--cycles", "-", two, "--cycle-channel", "load"});
    EXPECT_EQ(byLoad.out.substr(header.size()), "\r\n1,0,10,600,0.13333334,0.05,37.5,,,,,,,,0\r\n");

    const struct {
        std::vector<std::string> args;
        int code;
        std::string says;
    } failures[] = {
        {{"--cycles", "-"}, 2, "needs an output file"},
        {{"--cycles", "-", two, "--current"}, 2, "--current needs a value"},
        {{"--cycles", "-", two, "--channels", "1"}, 2, "unknown option --channels for --cycles"},
        {{"--cycles", "-", two, "--current", "9"}, 2, "no channel 9 (the file has 3)"},
        {{"--cycles", "-", two, "--voltage", "Volts"}, 2, "no channel named Volts"},
        {{"--cycles", "-", two, "--current", "Amps:V"}, 2, "no channel named Amps:V"},
        {{"--cycles", "-", two, "--current", "none"}, 1, "no cycle channel and no current"},
        {{"--cycles", "-", dir.filePath("missing.kvd").toStdString()}, 1, "missing.kvd"},
        {{"--cycles", dir.path().toStdString(), two}, 1, "not a regular file"},
    };
    for (const auto& f : failures) {
        const Ran ran = RunCli(f.args);
        EXPECT_EQ(ran.code, f.code) << ran.err;
        EXPECT_NE(ran.err.find(f.says), std::string::npos) << ran.err;
        EXPECT_TRUE(ran.out.empty());
    }
    EXPECT_NE(UsageText().find("--cycles OUT FILE"), std::string::npos);
}

// The fade chart: capacity in blue, efficiency in red, PNG or BMP, the size asked for.
TEST(CyclesCommand, FadePicture) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const std::string example = KURVON_EXAMPLES_DIR "/example.kvd";
    const QString png = dir.filePath("fade.png");
    ASSERT_EQ(RunCli({"--cycles-picture", png.toStdString(), example}).code, 0);
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(800, 400));
    int blue = 0, red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 60; x < image.width() - 60; ++x) {
            blue += image.pixel(x, y) == qRgb(0, 0, 255);
            red += image.pixel(x, y) == qRgb(255, 0, 0);
        }
    EXPECT_GT(blue, 100);
    EXPECT_GT(red, 100);
    const QString bmp = dir.filePath("fade");
    const Ran sized = RunCli({"--cycles-picture", bmp.toStdString(), example, "--size", "300x200",
                              "--cycle-channel", "none"});
    ASSERT_EQ(sized.code, 0) << sized.err;
    EXPECT_EQ(QImage(bmp + ".bmp").size(), QSize(300, 200));
    EXPECT_EQ(RunCli({"--cycles-picture", dir.filePath("f.gif").toStdString(), example}).code, 2);
    EXPECT_EQ(RunCli({"--cycles", "-", example, "--size", "300x200"}).code, 2);
    EXPECT_EQ(RunCli({"--cycles-picture", png.toStdString(), example, "--size", "0x5"}).code, 2);
}

} // namespace
} // namespace kurvon::test
