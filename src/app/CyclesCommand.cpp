#include "app/CyclesCommand.h"

#include "analysis/CycleCsv.h"
#include "analysis/RoleRecognition.h"
#include "app/CommandApplication.h"
#include "app/CommandLoad.h"
#include "app/CommandOptions.h"
#include "app/CsvOutput.h"
#include "app/ExitCodes.h"
#include "app/RenderOptions.h"
#include "chart/FadeChart.h"
#include "chart/PictureFile.h"
#include "chart/PictureName.h"
#include "platform/TextDecode.h"

#include <QFileInfo>

#include <algorithm>
#include <memory>
#include <optional>

namespace kurvon {
namespace {

constexpr std::array<const char*, 4> kRoleOptions{"--cycle-channel", "--current", "--voltage",
                                                  "--time"};

struct CyclesRequest {
    bool picture = false; // --cycles-picture
    int width = 800;
    int height = 400;
    std::string outPath;
    std::string dataPath;
    std::array<std::optional<std::string>, 4> given; // per role, as written
    bool inverse = false;
};

std::string ParseRequest(const std::vector<std::string>& args, CyclesRequest& request) {
    request.picture = args[0] == "--cycles-picture";
    if (args.size() < 3) {
        std::string problem = args[0];
        problem += request.picture ? " needs an output picture and a data file"
                                   : " needs an output file (or -) and a data file";
        return problem;
    }
    request.outPath = args[1];
    request.dataPath = args[2];
    for (std::size_t i = 3; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--inverse-efficiency") {
            request.inverse = true;
            continue;
        }
        if (option == "--size" && request.picture) {
            std::pair<int, int> size;
            if (i + 1 >= args.size() || !ParsePair(args[i + 1], 'x', size) || size.first < 1 ||
                size.second < 1 || size.first > kMaxPictureSide || size.second > kMaxPictureSide)
                return "bad value for --size (expected WxH, each from 1 to " +
                       std::to_string(kMaxPictureSide) + ")";
            request.width = size.first;
            request.height = size.second;
            ++i;
            continue;
        }
        const auto at = std::find(kRoleOptions.begin(), kRoleOptions.end(), option);
        if (at == kRoleOptions.end())
            return "unknown option " + option + " for " + args[0];
        if (i + 1 >= args.size())
            return option + " needs a value";
        request.given[static_cast<std::size_t>(at - kRoleOptions.begin())] = args[++i];
    }
    return {};
}

// The channel a role option names: a number from 0 or a name, with ":UNIT" after it or not.
std::string ResolveGiven(Role role, const std::string& given, const std::vector<std::string>& names,
                         RoleChoice& choice) {
    choice = {};
    if (given == "none")
        return {};
    std::string channel = given;
    std::optional<Unit> unit;
    if (const std::size_t colon = given.rfind(':'); colon != std::string::npos) {
        if (const std::optional<Unit> u = ParseUnit(role, given.substr(colon + 1));
            u && role != Role::Cycle) {
            channel = given.substr(0, colon);
            unit = u;
        }
    }
    std::uint32_t index = 0;
    if (ParseNumber(channel, index)) {
        if (index >= names.size())
            return NoSuchChannelText(static_cast<int>(index),
                                     static_cast<std::uint32_t>(names.size()));
    } else {
        const auto named = std::find(names.begin(), names.end(), channel);
        if (named == names.end())
            return "no channel named " + channel;
        index = static_cast<std::uint32_t>(named - names.begin());
    }
    choice.channel = index;
    choice.unit = unit.value_or(UnitFromName(role, names[index]));
    if (role == Role::Cycle)
        choice.unit = Unit::None;
    return {};
}

// The fade chart; text needs a GUI application, made offscreen here when there is none.
int WritePicture(const CycleTable& table, const CyclesRequest& request, const PictureTarget& target,
                 std::ostream& err) {
    const CommandApplication application = StartCommandApplication(ApplicationKind::Gui);
    if (!application.usable) {
        err << "kurvon: --cycles-picture needs a GUI application object\n";
        return kExitFailure;
    }
    const QImage image = FadeChartImage(table, request.width, request.height);
    const PictureWriteResult written = WritePictureFile(image, target.path, target.format);
    if (!written.written) {
        err << "kurvon: cannot write " << request.outPath << ": "
            << written.reason.toUtf8().toStdString() << '\n';
        return kExitFailure;
    }
    return 0;
}

} // namespace

bool IsCyclesOption(const std::string& argument) {
    return argument == "--inverse-efficiency" ||
           std::find(kRoleOptions.begin(), kRoleOptions.end(), argument) != kRoleOptions.end();
}

int RunCyclesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CyclesRequest request;
    if (const std::string problem = ParseRequest(args, request); !problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitUsage;
    }
    std::optional<PictureTarget> picture;
    if (request.picture) {
        const QString name = QString::fromUtf8(request.outPath);
        picture = PictureTargetOfName(name);
        if (QFileInfo(name).isDir() || !picture) {
            err << "kurvon: cannot tell the picture type of " << request.outPath
                << ": name it *.bmp or *.png\n";
            return kExitUsage;
        }
    }
    LoadResult loaded;
    if (const std::string problem = LoadForCommand(request.dataPath, loaded); !problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitFailure;
    }
    const DataSet& data = loaded.data;
    std::vector<std::string> names;
    for (const std::string& name : data.names)
        names.push_back(DecodeTextToUtf8(name, data.nameEncoding));
    ChannelRoles roles = RecogniseRoles(names);
    for (Role role : kAllRoles) {
        const std::optional<std::string>& given = request.given[static_cast<std::size_t>(role)];
        if (!given)
            continue;
        if (const std::string problem = ResolveGiven(role, *given, names, roles[role]);
            !problem.empty()) {
            err << "kurvon: " << problem << '\n';
            return kExitUsage;
        }
    }
    if (!roles[Role::Cycle].channel && !roles[Role::Current].channel) {
        err << "kurvon: " << request.dataPath
            << ": no cycle channel and no current channel found: name one with --cycle-channel "
               "or --current\n";
        return kExitFailure;
    }
    for (Role role : kAllRoles) {
        if (roles[role].channel || request.given[static_cast<std::size_t>(role)])
            continue;
        err << "kurvon: " << request.dataPath << ": no " << RoleName(role) << " channel found; "
            << (role == Role::Cycle ? "cycles are found from the current"
                                    : "the figures that need it are left empty")
            << '\n';
    }
    CycleOptions options;
    options.inverseEfficiency = request.inverse;
    const CycleTable table = ComputeCycleTable(data, roles, options);
    if (picture)
        return WritePicture(table, request, *picture, err);
    const std::string text = CycleCsvText(table);
    const std::string problem =
        WriteCsvOutput(request.outPath, out, [&text](bool bom, const CsvSink& sink) {
            return (!bom || sink("\xEF\xBB\xBF", 3)) && sink(text.data(), text.size());
        });
    if (!problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitFailure;
    }
    return 0;
}

} // namespace kurvon
