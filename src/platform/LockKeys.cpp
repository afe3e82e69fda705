#include "platform/LockKeys.h"

#include <QGuiApplication>

#if defined(KURVON_HAVE_X11) && QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
// Xlib defines macros (Bool, Status, None...) that clash with Qt names: include it last.
#include <X11/XKBlib.h>
#define KURVON_LOCKKEYS_X11 1
#endif

#ifdef _WIN32
#include <windows.h>
#endif

namespace kurvon {

#ifdef KURVON_LOCKKEYS_X11
namespace {

// Indicators are looked up by name: their bit positions depend on the keyboard map. A map
// without the indicator counts as "off"; `found` tells whether the server answered at all.
bool NamedIndicatorOn(Display* display, const char* name, int& found) {
    const Atom atom = XInternAtom(display, name, True);
    int on = 0;
    if (atom != 0 && XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        ++found;
    return on != 0;
}

} // namespace
#endif

std::optional<LockKeyState> QueryLockKeys() {
#ifdef KURVON_LOCKKEYS_X11
    // Only a real X11 session: the offscreen platform may hand out an X display of its own.
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return std::nullopt;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    int found = 0;
    LockKeyState state;
    state.caps = NamedIndicatorOn(display, "Caps Lock", found);
    state.num = NamedIndicatorOn(display, "Num Lock", found);
    state.scroll = NamedIndicatorOn(display, "Scroll Lock", found);
    if (found == 0) // no XKB, or no named indicators at all
        return std::nullopt;
    return state;
#elif defined(_WIN32)
    // The toggle bit of the key state: the same state the keyboard lights show.
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("windows"))
        return std::nullopt;
    LockKeyState state;
    state.caps = (::GetKeyState(VK_CAPITAL) & 1) != 0;
    state.num = (::GetKeyState(VK_NUMLOCK) & 1) != 0;
    state.scroll = (::GetKeyState(VK_SCROLL) & 1) != 0;
    return state;
#else
    return std::nullopt;
#endif
}

} // namespace kurvon
