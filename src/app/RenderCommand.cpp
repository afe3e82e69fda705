#include "app/RenderCommand.h"

#include "analysis/CycleChoice.h"
#include "app/CKurvonView.h"
#include "app/CommandApplication.h"
#include "app/CommandOptions.h"
#include "app/ExitCodes.h"
#include "app/FileProblems.h"
#include "app/RenderOptions.h"
#include "chart/ChartGeometry.h"
#include "chart/PictureFile.h"
#include "chart/PictureName.h"
#include "controls/CColorListCtrl.h"

#include <QEventLoop>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

namespace kurvon {
namespace {

struct RenderRequest {
    PictureTarget out;
    std::string dataPath;
    int width = 1000;
    int height = 600;
    std::vector<int> channels;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> window;
    std::optional<std::pair<int, int>> cursor;
    std::optional<std::pair<int, int>> drag;
    std::optional<std::uint32_t> seed;
    std::optional<int> xChannel;
    bool literal = false;
    std::optional<CycleChoice> overlay;
    bool overlayRelative = false;
};

bool IsCommand(const std::string& option) {
    return option == "--info" || option == "--render" || option == "--version" ||
           option == "--help";
}

std::string ExpectedValue(const std::string& option) {
    if (option == "--size")
        return "WxH, each from 1 to " + std::to_string(kMaxPictureSide);
    if (option == "--channels")
        return "channel numbers from 0, separated by commas";
    if (option == "--window")
        return "FIRST:LAST, record numbers from 0";
    if (option == "--cursor")
        return "X,Y in pixels";
    if (option == "--drag")
        return "A:B, x positions in pixels";
    if (option == "--x")
        return "a channel number from 0";
    if (option == "--overlay")
        return "cycles such as 1,10,100,every 100";
    return "a whole number from 0 to 4294967295"; // --seed
}

// An empty string when the request is complete, else what is wrong with it.
std::string ParseRequest(const std::vector<std::string>& args, RenderRequest& request) {
    std::size_t i = !args.empty() && args[0] == "--render" ? 1 : 0;
    if (args.size() < i + 2)
        return "--render needs an output picture and a data file";
    const std::string& outName = args[i++];
    if (QFileInfo(QString::fromUtf8(outName)).isDir())
        return outName + " is a folder: name the picture file";
    const std::optional<PictureTarget> out = PictureTargetOfName(QString::fromUtf8(outName));
    if (!out)
        return "cannot tell the picture type of " + outName + ": name it *.bmp or *.png";
    request.out = *out;
    request.dataPath = args[i++];
    while (i < args.size()) {
        const std::string& option = args[i];
        if (option == "--literal" || option == "--overlay-relative") { // flags: no value follows
            (option == "--literal" ? request.literal : request.overlayRelative) = true;
            ++i;
            continue;
        }
        if (IsCommand(option))
            return option + " is a command of its own, not an option of --render";
        if (!IsRenderOption(option))
            return "unknown option " + option + " (kurvon --help lists the options)";
        if (i + 1 >= args.size())
            return option + " needs a value";
        const std::string& value = args[i + 1];
        bool ok = false;
        if (option == "--size") {
            std::pair<int, int> size;
            ok = ParsePair(value, 'x', size) && size.first > 0 && size.second > 0 &&
                 size.first <= kMaxPictureSide && size.second <= kMaxPictureSide;
            request.width = size.first;
            request.height = size.second;
        } else if (option == "--channels") {
            ok = ParseChannels(value, request.channels);
        } else if (option == "--window") {
            std::pair<std::uint32_t, std::uint32_t> window;
            ok = ParsePair(value, ':', window);
            request.window = window;
        } else if (option == "--cursor") {
            std::pair<int, int> cursor;
            ok = ParsePair(value, ',', cursor);
            request.cursor = cursor;
        } else if (option == "--drag") {
            std::pair<int, int> drag;
            ok = ParsePair(value, ':', drag);
            request.drag = drag;
        } else if (option == "--overlay") {
            auto parsed = ParseCycleChoice(value);
            if (const auto* error = std::get_if<CycleChoiceError>(&parsed))
                return "bad value for --overlay: " + CycleChoiceMessageEn(*error);
            request.overlay = std::get<CycleChoice>(std::move(parsed));
            ok = true;
        } else if (option == "--x") {
            ok = ParseNumber(value, request.xChannel.emplace()) && *request.xChannel >= 0;
        } else { // --seed
            ok = ParseNumber(value, request.seed.emplace());
        }
        if (!ok)
            return "bad value for " + option + ": " + value + " (expected " +
                   ExpectedValue(option) + ")";
        i += 2;
    }
    if ((request.overlay || request.overlayRelative) && !request.xChannel)
        return "--overlay draws cycles against a channel: give --x CH too";
    if (request.overlayRelative && !request.overlay)
        return "--overlay-relative needs --overlay CYCLES";
    return {};
}

// Dialogs never show here: every question is cancelled; a failed load is told from the view's
// load status instead of its message.
class SilentPrompts final : public Prompts {
public:
    std::optional<QString> AskOpenDataFile(QWidget*) override { return std::nullopt; }
    std::optional<PictureChoice> AskPictureFile(QWidget*) override { return std::nullopt; }
    std::optional<QColor> AskColor(QWidget*) override { return std::nullopt; }
    void ShowAppMessage(QWidget*, const QString&) override {}
    void ShowNotice(QWidget*, const QString&) override {}
    std::optional<ChannelRoles> AskChannelRoles(QWidget*, const std::vector<std::string>&,
                                                const ChannelRoles&) override {
        return std::nullopt;
    }
};

// Loads the file as Open would and waits for the hand-over. Empty when it loaded.
std::string LoadIntoView(CKurvonView& view, const std::string& path) {
    QEventLoop loop;
    QObject::connect(&view, &CKurvonView::LoadFinished, &loop, &QEventLoop::quit);
    view.OpenDataFile(QString::fromUtf8(path));
    if (view.LoadRunning())
        loop.exec();
    if (view.State().dataLoaded)
        return {};
    if (const std::optional<LoadStatus> status = view.LastLoadStatus())
        return LoadFailureText(*status, path);
    return "cannot load " + path + ": the loader did not start";
}

// Ticks the channels one poll apart, so the last one given is primary.
std::string TickChannels(CKurvonView& view, const std::vector<int>& channels) {
    CColorListCtrl* list = view.ChannelList();
    for (int channel : channels) {
        if (channel >= list->RowCount())
            return NoSuchChannelText(channel, static_cast<std::uint32_t>(list->RowCount()));
        if (list->IsChecked(channel))
            return "channel " + std::to_string(channel) + " is listed twice";
        list->SetChecked(channel, true);
        view.OnTimer();
    }
    return {};
}

// Applies the window, cursor and drag of the request; empty when they fit the data set.
std::string ApplyRequest(const RenderRequest& request, CKurvonView& view) {
    const std::uint32_t records = view.State().data.recordCount;
    const std::uint32_t channels = view.State().data.channelCount;
    if (request.xChannel && static_cast<std::uint32_t>(*request.xChannel) >= channels)
        return NoSuchChannelText(*request.xChannel, channels);
    if (request.window) {
        const auto [first, last] = *request.window;
        if (!(first < last && last < records))
            return WindowRuleText(records);
    }
    if (request.xChannel)
        view.SetXChannel(*request.xChannel);
    view.EditState([&](ViewState& state) {
        if (request.window) {
            state.firstRecord = request.window->first;
            state.lastRecord = request.window->second;
        }
        if (request.cursor) {
            state.cursorX = request.cursor->first;
            state.cursorY = request.cursor->second;
        }
        if (request.drag) {
            const ChartArea area = ChartAreaOfClient(request.width, request.height);
            state.dragInProgress = true;
            state.dragStartX = area.ClampToFrameX(request.drag->first);
            state.dragEndX = area.ClampToFrameX(request.drag->second);
        }
    });
    return {};
}

// Waits for the cycle table of the loaded file, then overlays the chosen cycles.
std::string ApplyOverlay(const RenderRequest& request, CKurvonView& view) {
    if (!request.overlay)
        return {};
    QEventLoop loop;
    QObject::connect(&view, &CKurvonView::CyclesFinished, &loop, &QEventLoop::quit);
    if (view.CyclesRunning())
        loop.exec();
    const std::size_t cycles = view.State().cycles.spans.size();
    if (cycles == 0)
        return "no cycles in " + request.dataPath +
               ": neither a cycle nor a current channel was recognised (kurvon --cycles tells "
               "more)";
    view.EditState([&](ViewState& state) { state.overlay.relative = request.overlayRelative; });
    if (!view.ShowOverlay(*request.overlay))
        return "none of the cycles \"" + request.overlay->text + "\" is in " + request.dataPath +
               " (it has " + std::to_string(cycles) + " cycles)";
    return {};
}

} // namespace

int RunRenderCommand(const std::vector<std::string>& args, std::ostream& err) {
    RenderRequest request;
    if (const std::string problem = ParseRequest(args, request); !problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitUsage;
    }
    // Before any window or load: a missing or empty file is said at once.
    if (const std::string problem = DataFileProblem(request.dataPath); !problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitFailure;
    }

    const CommandApplication application = StartCommandApplication(ApplicationKind::Widgets);
    if (!application.usable) {
        err << "kurvon: --render needs a widget application object\n";
        return kExitFailure;
    }

    // The real view, never shown on a screen, grabbed as Save picture grabs it.
    CKurvonView view(std::make_unique<SilentPrompts>());
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(request.width, request.height);
    view.show();
    view.OnInitialUpdate(nullptr);
    if (request.seed)
        view.SetColorSeed(*request.seed);
    if (request.literal)
        view.SetCurveMode(CurveMode::Literal);

    if (const std::string problem = LoadIntoView(view, request.dataPath); !problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitFailure;
    }
    std::string problem = TickChannels(view, request.channels);
    if (problem.empty())
        problem = ApplyRequest(request, view);
    if (problem.empty())
        problem = ApplyOverlay(request, view);
    if (!problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitUsage;
    }
    const QImage picture = view.grab().toImage();
    const PictureWriteResult written =
        WritePictureFile(picture, request.out.path, request.out.format);
    if (!written.written) {
        err << "kurvon: cannot write " << request.out.path.toStdString() << ": "
            << written.reason.toStdString() << '\n';
        return kExitFailure;
    }
    return 0;
}

} // namespace kurvon
