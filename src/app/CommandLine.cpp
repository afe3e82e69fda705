#include "app/CommandLine.h"

#include "app/ExitCodes.h"
#include "app/ExportCommand.h"
#include "app/RenderCommand.h"
#include "data/Loader.h"
#include "platform/TextDecode.h"

#include <iostream>

namespace kurvon {

namespace {

class SilentProgress : public ProgressSink {
public:
    void SetPosition(int) override {}
    void Show() override {}
};

std::string FailureText(LoadStatus status, const std::string& path) {
    switch (status) {
    case LoadStatus::CannotOpen:
        return "cannot open " + path;
    case LoadStatus::TooFewRecords:
        return TooFewRecordsText(path);
    case LoadStatus::OutOfMemory:
        return path + " is too large to load";
    case LoadStatus::Cancelled:
        return "loading " + path + " was cancelled";
    case LoadStatus::Loaded:
        break;
    }
    return "cannot load " + path;
}

} // namespace

std::string UsageText() {
    return "Usage: kurvon [FILE.kvd]\n"
           "       kurvon --info FILE\n"
           "       kurvon --render OUT.bmp FILE [--size WxH] [--channels i,j,...]\n"
           "              [--window FIRST:LAST] [--cursor X,Y] [--drag A:B] [--seed N]\n"
           "              [--literal]\n"
           "       kurvon --export OUT.csv FILE [--window FIRST:LAST] [--channels i,j,...]\n"
           "       kurvon --version\n"
           "       kurvon --help\n"
           "\n"
           "Shows battery test data files as curves.\n"
           "\n"
           "  --info FILE  print the channel and record counts, the zoom step and each\n"
           "               channel's index, name, minimum and maximum, tab-separated\n"
           "  --render     draw the chart as the window shows it and save it as a picture;\n"
           "               --literal draws the reference drawing, one segment per record\n"
           "               (the same pixels, far slower on long files)\n"
           "  --export     write the records of the window (default: all) and the channels given\n"
           "               (default: all, in file order) as CSV: a header row \"record\" and\n"
           "               the names, then the record index and each value as the shortest\n"
           "               text that reads back to the same float; OUT - writes to\n"
           "               standard output, a file gets a UTF-8 byte-order mark\n"
           "  --version    print the version\n"
           "  --help       print this help\n";
}

std::string LoadForCommand(const std::string& path, LoadResult& result) {
    SilentProgress progress;
    LoadOptions options;
    options.colorSeed = CurrentColorSeed();
    result = LoadDataFile(path, progress, options);
    return result.status == LoadStatus::Loaded ? std::string() : FailureText(result.status, path);
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
    out << "zoom step: " << result.zoomStep << '\n';
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
    if (command == "--info") {
        if (args.size() != 2) {
            err << "kurvon: --info needs exactly one file\n" << UsageText();
            return kExitUsage;
        }
        return RunInfoCommand(args[1], out, err);
    }
    if (command == "--render")
        return RunRenderCommand(args, err);
    if (command == "--export")
        return RunExportCommand(args, out, err);
    if (command.size() > 1 && command[0] == '-') {
        err << "kurvon: unknown option " << command << '\n' << UsageText();
        return kExitUsage;
    }
    if (args.size() > 1) {
        err << "kurvon: give at most one data file\n" << UsageText();
        return kExitUsage;
    }
    return std::nullopt;
}

std::optional<int> RunCommandLine(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return RunCommandLine(args, std::cout, std::cerr);
}

} // namespace kurvon
