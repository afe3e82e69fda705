#include "app/DisplayCheck.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#ifdef KURVON_HAVE_X11
#include <X11/Xlib.h>
#endif

namespace kurvon {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The platform names of a QT_QPA_PLATFORM value, without their options.
std::vector<std::string> PlatformNames(std::string_view list) {
    std::vector<std::string> names;
    while (!list.empty()) {
        const std::size_t end = std::min(list.find(';'), list.size());
        const std::string_view entry = list.substr(0, end);
        if (const std::string_view name = entry.substr(0, entry.find(':')); !name.empty())
            names.emplace_back(name);
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return names;
}

// What Qt picks on this system when QT_QPA_PLATFORM is not set.
std::vector<std::string> DefaultPlatforms(const DisplaySetting& setting) {
#if defined(_WIN32) || defined(__APPLE__) || defined(__ANDROID__)
    (void)setting;
    return {"native"}; // the system's own windowing is always there
#else
    if (setting.sessionType == "wayland")
        return {"wayland", "xcb"};
    return {"xcb"};
#endif
}

bool PlatformCanWork(const std::string& name, const DisplaySetting& setting,
                     const XDisplayProbe& canReachX) {
    if (name == "xcb")
        return !setting.xDisplay.empty() && canReachX(setting.xDisplay);
    if (name.rfind("wayland", 0) == 0)
        return !setting.waylandDisplay.empty();
    return true;
}

} // namespace

DisplaySetting DisplaySettingFromEnvironment() {
    return {Environment("QT_QPA_PLATFORM"), Environment("DISPLAY"), Environment("WAYLAND_DISPLAY"),
            Environment("XDG_SESSION_TYPE")};
}

bool DisplayAvailable(const DisplaySetting& setting, const XDisplayProbe& canReachX) {
    std::vector<std::string> names = PlatformNames(setting.platform);
    if (names.empty())
        names = DefaultPlatforms(setting);
    for (const std::string& name : names)
        if (PlatformCanWork(name, setting, canReachX))
            return true;
    return false;
}

bool CanReachXDisplay(const std::string& display) {
#ifdef KURVON_HAVE_X11
    Display* connection = XOpenDisplay(display.c_str());
    if (!connection)
        return false;
    XCloseDisplay(connection);
    return true;
#else
    (void)display;
    return true;
#endif
}

std::string NoDisplayText() {
    return "no display found (DISPLAY and WAYLAND_DISPLAY name none that answers); "
           "--info and --render work without one";
}

} // namespace kurvon
