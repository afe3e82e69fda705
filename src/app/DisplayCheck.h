#pragma once
// Whether the window has a display to open on. Qt aborts with advice to reinstall when its
// platform plugin finds no display, so the window's path asks here first, before any
// QApplication exists.

#include <functional>
#include <string>

namespace kurvon {

// The environment that decides which platform Qt picks and where it connects.
struct DisplaySetting {
    std::string platform;       // QT_QPA_PLATFORM: names separated by ';', options after ':'
    std::string xDisplay;       // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string sessionType;    // XDG_SESSION_TYPE
};

DisplaySetting DisplaySettingFromEnvironment();

// Whether an X server answers at the display name.
using XDisplayProbe = std::function<bool(const std::string& display)>;

// True when one of the platforms Qt would try can work. Platforms that need no display server
// (offscreen, minimal, vnc, ...) and those of other systems always can; xcb needs an X server
// that answers, wayland a WAYLAND_DISPLAY. Builds without X11 never probe.
bool DisplayAvailable(const DisplaySetting& setting, const XDisplayProbe& canReachX);

// XOpenDisplay where the build has X11; elsewhere Qt's own platform is assumed to work.
bool CanReachXDisplay(const std::string& display);

// The one line said instead of opening the window.
std::string NoDisplayText();

} // namespace kurvon
