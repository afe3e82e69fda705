#include "app/ExportCommand.h"

#include "app/CommandLoad.h"
#include "app/CommandOptions.h"
#include "app/CsvOutput.h"
#include "app/ExitCodes.h"
#include "app/RenderOptions.h"
#include "data/CsvExport.h"
#include "data/Loader.h"
#include "platform/TextDecode.h"

#include <optional>

namespace kurvon {
namespace {

struct ExportRequest {
    std::string outPath;
    std::string dataPath;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> window;
    std::vector<int> channels;
};

std::string ParseRequest(const std::vector<std::string>& args, ExportRequest& request) {
    if (args.size() < 3)
        return "--export needs an output file (or -) and a data file";
    request.outPath = args[1];
    request.dataPath = args[2];
    for (std::size_t i = 3; i < args.size(); i += 2) {
        const std::string& option = args[i];
        if (option != "--window" && option != "--channels") {
            if (IsRenderOption(option))
                return option + " is an option of --render, not of --export";
            return "unknown option " + option + " for --export";
        }
        if (i + 1 >= args.size())
            return option + " needs a value";
        const std::string& value = args[i + 1];
        bool ok;
        if (option == "--window") {
            std::pair<std::uint32_t, std::uint32_t> window;
            ok = ParsePair(value, ':', window);
            request.window = window;
        } else {
            ok = ParseChannels(value, request.channels);
        }
        if (!ok)
            return "bad value for " + option + ": " + value;
    }
    return {};
}

// The job for the loaded data, or what in the request does not fit it.
std::string MakeJob(const ExportRequest& request, const DataSet& data, bool bom,
                    CsvExportJob& job) {
    job.data = &data;
    job.byteOrderMark = bom;
    job.first = 0;
    job.last = data.recordCount - 1;
    if (request.window) {
        const auto [first, last] = *request.window;
        if (!(first < last && last < data.recordCount))
            return WindowRuleText(data.recordCount);
        job.first = first;
        job.last = last;
    }
    std::vector<int> channels = request.channels;
    if (channels.empty()) {
        for (std::uint32_t c = 0; c < data.channelCount; ++c)
            channels.push_back(static_cast<int>(c));
    }
    for (int channel : channels) {
        const auto c = static_cast<std::uint32_t>(channel);
        if (c >= data.channelCount)
            return NoSuchChannelText(channel, data.channelCount);
        job.channels.push_back(c);
        job.names.push_back(DecodeTextToUtf8(data.names[c], data.nameEncoding));
    }
    return {};
}

} // namespace

int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ExportRequest request;
    if (const std::string problem = ParseRequest(args, request); !problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitUsage;
    }
    LoadResult loaded;
    if (const std::string problem = LoadForCommand(request.dataPath, loaded); !problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitFailure;
    }
    CsvExportJob job;
    if (const std::string problem = MakeJob(request, loaded.data, request.outPath != "-", job);
        !problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitUsage;
    }
    const std::string problem = WriteCsvOutput(
        request.outPath, out, [&job](bool, const CsvSink& sink) { return WriteCsv(job, sink); });
    if (!problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitFailure;
    }
    return 0;
}

} // namespace kurvon
