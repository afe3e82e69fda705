#include "app/RenderCommand.h"

#include "chart/ChartGeometry.h"
#include "chart/ChartRenderer.h"
#include "chart/PictureFile.h"
#include "data/Loader.h"
#include "platform/RasterSurface.h"

#include <QGuiApplication>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

namespace kurvon {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kMaxPictureSide = 16384;

struct RenderRequest {
    std::string outPath;
    std::string dataPath;
    int width = 1000;
    int height = 600;
    std::vector<int> channels;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> window;
    std::optional<std::pair<int, int>> cursor;
    std::optional<std::pair<int, int>> drag;
    std::optional<std::uint32_t> seed;
};

template <class T> bool ParseNumber(std::string_view text, T& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

template <class T> bool ParsePair(std::string_view text, char separator, std::pair<T, T>& out) {
    const std::size_t at = text.find(separator);
    return at != std::string_view::npos && ParseNumber(text.substr(0, at), out.first) &&
           ParseNumber(text.substr(at + 1), out.second);
}

bool ParseChannels(std::string_view text, std::vector<int>& channels) {
    while (true) {
        const std::size_t comma = text.find(',');
        int channel = 0;
        if (!ParseNumber(text.substr(0, comma), channel) || channel < 0)
            return false;
        channels.push_back(channel);
        if (comma == std::string_view::npos)
            return true;
        text.remove_prefix(comma + 1);
    }
}

// An empty string when the request is complete, else what is wrong with it.
std::string ParseRequest(const std::vector<std::string>& args, RenderRequest& request) {
    std::size_t i = !args.empty() && args[0] == "--render" ? 1 : 0;
    if (args.size() < i + 2)
        return "--render needs an output picture and a data file";
    request.outPath = args[i++];
    request.dataPath = args[i++];
    for (; i < args.size(); i += 2) {
        const std::string& option = args[i];
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
        } else if (option == "--seed") {
            std::uint32_t seed = 0;
            ok = ParseNumber(value, seed);
            request.seed = seed;
        } else {
            return "unknown option " + option;
        }
        if (!ok)
            return "bad value for " + option + ": " + value;
    }
    return {};
}

class SilentProgress : public ProgressSink {
public:
    void SetPosition(int) override {}
    void Show() override {}
};

std::string LoadFailureText(LoadStatus status, const std::string& path) {
    switch (status) {
    case LoadStatus::TooFewRecords:
        return path + " has fewer than two data records";
    case LoadStatus::OutOfMemory:
        return path + " is too large to load";
    default:
        return "cannot load " + path;
    }
}

// Applies the request to a freshly loaded state; an empty string when it fits the data set.
std::string ApplyRequest(const RenderRequest& request, ViewState& state) {
    const DataSet& data = state.data;
    for (int channel : request.channels) {
        if (static_cast<std::uint32_t>(channel) >= data.channelCount)
            return "no channel " + std::to_string(channel) + " (the file has " +
                   std::to_string(data.channelCount) + ")";
        if (state.visible.Contains(channel))
            return "channel " + std::to_string(channel) + " is listed twice";
        state.visible.Append(channel);
    }
    if (request.window) {
        const auto [first, last] = *request.window;
        if (!(first < last && last < data.recordCount))
            return "the window must satisfy FIRST < LAST <= " +
                   std::to_string(data.recordCount - 1);
        state.firstRecord = first;
        state.lastRecord = last;
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
    return {};
}

} // namespace

QImage RenderClientPicture(ViewState& state, int clientWidth, int clientHeight) {
    QImage picture(clientWidth, clientHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    RasterSurface surface;
    if (!RenderChart(surface, state, clientWidth, clientHeight))
        return picture;
    const int width = std::min(surface.Width(), clientWidth);
    const QImage chart = surface.View();
    for (int y = 0; y < std::min(surface.Height(), clientHeight); ++y)
        std::memcpy(picture.scanLine(y), chart.constScanLine(y), std::size_t(width) * 4);
    return picture;
}

int RunRenderCommand(const std::vector<std::string>& args, std::ostream& err) {
    RenderRequest request;
    if (const std::string problem = ParseRequest(args, request); !problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitUsage;
    }

    std::unique_ptr<QGuiApplication> ownApplication;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "kurvon";
        static char* argv[] = {name, nullptr};
        ownApplication = std::make_unique<QGuiApplication>(argc, argv);
    } else if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        err << "kurvon: --render needs a GUI application object for its text\n";
        return kExitFailure;
    }

    SilentProgress progress;
    LoadOptions options;
    options.colorSeed = request.seed ? *request.seed : CurrentColorSeed();
    LoadResult loaded = LoadDataFile(request.dataPath, progress, options);
    if (loaded.status != LoadStatus::Loaded) {
        err << "kurvon: " << LoadFailureText(loaded.status, request.dataPath) << '\n';
        return kExitFailure;
    }
    ViewState state;
    state.data = std::move(loaded.data);
    state.firstRecord = loaded.firstRecord;
    state.lastRecord = loaded.lastRecord;
    state.zoomStep = loaded.zoomStep;
    state.currentPath = request.dataPath;
    state.dataLoaded = true;
    if (const std::string problem = ApplyRequest(request, state); !problem.empty()) {
        err << "kurvon: " << problem << '\n';
        return kExitUsage;
    }

    const QImage picture = RenderClientPicture(state, request.width, request.height);
    if (!WriteBitmapFile(picture, QString::fromLocal8Bit(request.outPath))) {
        err << "kurvon: cannot write " << request.outPath << '\n';
        return kExitFailure;
    }
    return 0;
}

} // namespace kurvon
