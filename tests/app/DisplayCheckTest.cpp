#include "AppTestSupport.h"

#include "app/DisplayCheck.h"

namespace kurvon::test {
namespace {

TEST(DisplayCheck, PlatformsThatCanAndCannotOpenAWindow) {
    const auto answers = [](const std::string& display) { return display == ":0"; };
    const struct {
        DisplaySetting setting;
        bool available;
    } cases[] = {
        {{"", "", "", ""}, false},                // nothing at all: xcb with no DISPLAY
        {{"", ":0", "", ""}, true},               // an X server that answers
        {{"xcb;wayland", ":7", "", ""}, false},   // one that does not
        {{"", "", "wayland-0", "wayland"}, true}, // a Wayland session
        {{"", ":0", "", "wayland"}, true},        // Qt falls back to xcb
        {{"", "", "wayland-0", ""}, false},       // default xcb, no X
        {{"wayland-egl", "", "wayland-1", ""}, true},
        {{"offscreen", "", "", ""}, true},
        {{"xcb;offscreen", "", "", ""}, true}, // the second of the list works
        {{";", ":0", "", ""}, true},           // no names: the default
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DisplayAvailable(c.setting, answers), c.available)
            << c.setting.platform << " DISPLAY=" << c.setting.xDisplay
            << " WAYLAND_DISPLAY=" << c.setting.waylandDisplay;
    }
}

// The real program, started without any display: one line and status 1, no abort.
TEST(DisplayCheck, WindowWithoutDisplaySaysSoInOneLine) {
    for (const QStringList& arguments : {QStringList(), QStringList{"a.kvd"}}) {
        const std::optional<Ran> ran = RunProgram("", arguments, false);
        if (!ran)
            GTEST_SKIP() << "kurvon is not built beside the tests";
        EXPECT_EQ(ran->code, 1);
        EXPECT_EQ(std::count(ran->err.begin(), ran->err.end(), '\n'), 1) << ran->err;
        for (const char* says : {"no display found", "--info", "--render"})
            EXPECT_NE(ran->err.find(says), std::string::npos) << ran->err;
        EXPECT_EQ(ran->out, "");
    }
}

} // namespace
} // namespace kurvon::test
