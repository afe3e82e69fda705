#include "app/CommandLine.h"

#include "app/CyclesCommand.h"
#include "app/ExitCodes.h"
#include "app/ExportCommand.h"
#include "app/RenderCommand.h"
#include "app/RenderOptions.h"
#include "chart/Navigation.h"
#include "data/Loader.h"
#include "platform/TextDecode.h"

#include <iostream>

namespace kurvon {

namespace {

// The first of --render's options among args, if any.
const std::string* MisplacedRenderOption(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (IsRenderOption(arg))
            return &arg;
    return nullptr;
}

} // namespace

std::string UsageText() {
    return "Usage: kurvon [FILE.kvd] [--follow | --no-follow]\n"
           "       kurvon --info FILE\n"
           "       kurvon --render OUT FILE [--size WxH] [--channels I,J,...]\n"
           "              [--window FIRST:LAST] [--cursor X,Y] [--drag A:B] [--seed N]\n"
           "              [--x CH] [--literal] [--overlay CYCLES [--overlay-relative]]\n"
           "       kurvon --export OUT FILE [--window FIRST:LAST] [--channels I,J,...]\n"
           "       kurvon --cycles OUT FILE [--cycle-channel CH] [--current CH]\n"
           "              [--voltage CH] [--time CH] [--inverse-efficiency]\n"
           "       kurvon --cycles-picture OUT FILE [the options of --cycles] [--size WxH]\n"
           "       kurvon --version\n"
           "       kurvon --help\n"
           "\n"
           "Shows battery test data files as curves. Without options it opens the window and\n"
           "loads FILE if one is given; the window needs a display, --info and --render do not.\n"
           "While FILE grows, the window reads the new records as they come (--follow, the\n"
           "default; --no-follow: not; the menu's 跟随文件 switches it).\n"
           "\n"
           "  --info FILE  print the channel and record counts, the zoom step and each\n"
           "               channel's index, name, minimum and maximum, tab-separated\n"
           "  --render OUT FILE\n"
           "               draw FILE's chart as the window shows it, channel list included,\n"
           "               and save it as OUT: a PNG when OUT ends in .png, a BMP when it ends\n"
           "               in .bmp (either in any letter case); a name without a suffix gets\n"
           "               .bmp, any other suffix is refused\n"
           "    --size WxH           the window's area in pixels, each side from 1 to " +
           std::to_string(kMaxPictureSide) +
           "\n"
           "                         (default 1000x600); the channel list takes the 300\n"
           "                         pixels at the right, the chart the rest\n"
           "    --channels I,J,...   the channels to tick, numbered from 0 as --info lists\n"
           "                         them, in the order they are ticked: the last one is\n"
           "                         drawn wide and scaled on the right, the one before it\n"
           "                         scaled on the left (default: none, an empty frame)\n"
           "    --window FIRST:LAST  the records to show, numbered from 0, both included;\n"
           "                         FIRST < LAST <= records - 1 (default: all)\n"
           "    --cursor X,Y         the mouse at X,Y pixels from the top-left corner: the\n"
           "                         crosshair and the values read off it (default: none)\n"
           "    --drag A:B           a drag in progress from x = A to x = B: the selection\n"
           "                         band, clamped to the plot frame\n"
           "    --seed N             the seed of the random channel colours, 0 to 4294967295\n"
           "                         (default: the current time); a seed gives the same\n"
           "                         picture every time\n"
           "    --x CH               draw the curves against channel CH (numbered as for\n"
           "                         --channels) instead of the record number\n"
           "    --literal            draw with the reference drawing, one line segment per\n"
           "                         record: the same pixels, far slower on long files\n"
           "    --overlay CYCLES     with --x, draw the chosen cycles on top of each other,\n"
           "                         each in its colour from blue (first) to red (last):\n"
           "                         numbers, ranges and steps separated by commas, such as\n"
           "                         1,10,100,every 100 or 1-5,last\n"
           "    --overlay-relative   each cycle's x counted from its first record\n"
           "  --export OUT FILE\n"
           "               write the records of the window (default: all) and the channels\n"
           "               given (default: all, in file order) as CSV to OUT: a header row\n"
           "               \"record\" and the names, then the record index and each value as\n"
           "               the shortest text that reads back to the same float; OUT - writes\n"
           "               to standard output, a file gets a UTF-8 byte-order mark\n"
           "    --window FIRST:LAST, --channels I,J,...  as for --render\n"
           "  --cycles OUT FILE\n"
           "               write FILE's cycle table as CSV to OUT, as --export writes: one\n"
           "               row per cycle with its records (from 0), duration, charge and\n"
           "               discharge capacity (Ah) and energy (Wh), coulombic and energy\n"
           "               efficiency (%), end-of-charge and end-of-discharge voltage,\n"
           "               minimum and maximum voltage and the pairs of records skipped;\n"
           "               the channels are recognised from their names unless given\n"
           "    --cycle-channel CH, --current CH, --voltage CH, --time CH\n"
           "                         the channel of a role: its number from 0 or its\n"
           "                         name, with :UNIT after it to override the unit (A,\n"
           "                         mA; V, mV; s, min, h), or none\n"
           "    --inverse-efficiency charge over discharge instead of discharge over charge\n"
           "  --cycles-picture OUT FILE\n"
           "               draw the discharge capacity (blue, left scale) and the coulombic\n"
           "               efficiency (red, right scale) over the cycle number and save it as\n"
           "               OUT, a PNG or a BMP as for --render; --size WxH as for --render\n"
           "               (default 800x400)\n"
           "  --version    print the version\n"
           "  --help       print this help\n"
           "\n"
           "Exit status: 0 when done, 1 when a file cannot be read or written or no display\n"
           "is found, 2 for bad arguments.\n";
}

int RunInfoCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    LoadResult result;
    if (const std::string problem = LoadForCommand(path, result); !problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitFailure;
    }
    const DataSet& data = result.data;
    out << "channels: " << data.channelCount << '\n';
    out << "records: " << data.recordCount << '\n';
    out << "zoom step: " << ZoomStepOf(data.recordCount) << '\n';
    for (std::uint32_t c = 0; c < data.channelCount; ++c) {
        out << c << '\t' << DecodeTextToUtf8(data.names[c], data.nameEncoding) << '\t'
            << result.listMin[c] << '\t' << result.listMax[c] << '\n';
    }
    out.flush();
    return out ? 0 : kExitFailure;
}

std::optional<int> RunCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                  std::ostream& err) {
    if (args.empty())
        return std::nullopt;
    const std::string& command = args[0];
    if (command == "--version") {
        out << "kurvon " << KURVON_VERSION << '\n';
        return 0;
    }
    if (command == "--help" || command == "-h") {
        out << UsageText();
        return 0;
    }
    if (command == "--render")
        return RunRenderCommand(args, err);
    if (command == "--export")
        return RunExportCommand(args, out, err);
    if (command == "--cycles" || command == "--cycles-picture")
        return RunCyclesCommand(args, out, err);
    // --render's options anywhere else: say whose they are.
    if (const std::string* option = MisplacedRenderOption(args)) {
        err << "kurvon: " << *option << " is an option of --render"
            << (command == "--info" ? ", not of --info" : "") << '\n'
            << UsageText();
        return kExitUsage;
    }
    if (command == "--info") {
        if (args.size() != 2) {
            err << "kurvon: --info needs exactly one file\n" << UsageText();
            return kExitUsage;
        }
        return RunInfoCommand(args[1], out, err);
    }
    // The window: at most one file, and --follow or --no-follow anywhere.
    std::size_t files = 0;
    for (const std::string& arg : args) {
        if (IsFollowOption(arg))
            continue;
        if (arg.size() > 1 && arg[0] == '-') {
            err << "kurvon: unknown option " << arg << '\n' << UsageText();
            return kExitUsage;
        }
        ++files;
    }
    if (files > 1) {
        err << "kurvon: give at most one data file\n" << UsageText();
        return kExitUsage;
    }
    return std::nullopt;
}

bool IsFollowOption(const std::string& arg) {
    return arg == "--follow" || arg == "--no-follow";
}

WindowArguments WindowArgumentsOf(const std::vector<std::string>& args) {
    WindowArguments window;
    for (const std::string& arg : args) {
        if (IsFollowOption(arg))
            window.follow = arg == "--follow"; // the last one counts
        else
            window.file = arg;
    }
    return window;
}

} // namespace kurvon
