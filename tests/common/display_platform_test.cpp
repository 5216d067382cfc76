#include "common/display_platform.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>

namespace {

toolkit::EnvironmentLookup environmentOf(std::map<std::string, std::string> values) {
    return [values](const std::string& name) -> std::optional<std::string> {
        const auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    };
}

}  // namespace

// X11 through XWayland only in a Wayland session that has an X display, and never
// over the user's own choice.
TEST(DisplayPlatform, XcbOnlyForAWaylandSessionWithAnXDisplayAndNoChoiceMade) {
    const struct {
        const char* name;
        std::map<std::string, std::string> environment;
        std::optional<std::string> platform;
    } cases[] = {
        {"Wayland display and X display", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, "xcb"},
        {"Wayland session type and X display", {{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}, "xcb"},
        {"an empty platform counts as none",
         {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", ""}},
         "xcb"},
        {"the user chose a platform",
         {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}},
         std::nullopt},
        {"no X display", {{"WAYLAND_DISPLAY", "wayland-0"}}, std::nullopt},
        {"an empty X display", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ""}}, std::nullopt},
        {"an X11 session", {{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}, std::nullopt},
        {"an empty Wayland display", {{"WAYLAND_DISPLAY", ""}, {"DISPLAY", ":0"}}, std::nullopt},
        {"nothing set", {}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(toolkit::preferredQtPlatform(environmentOf(c.environment)), c.platform);
    }
}

TEST(DisplayPlatform, TheChoiceIsMadeInTheProcessEnvironment) {
    ::unsetenv("QT_QPA_PLATFORM");
    ::unsetenv("XDG_SESSION_TYPE");
    ::setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    ::setenv("DISPLAY", ":0", 1);
    toolkit::chooseDisplayPlatform();
    const char* chosen = ::getenv("QT_QPA_PLATFORM");
    EXPECT_STREQ(chosen, "xcb");
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    toolkit::chooseDisplayPlatform();
    EXPECT_STREQ(::getenv("QT_QPA_PLATFORM"), "offscreen");
}
