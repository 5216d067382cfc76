#include "common/display_platform.h"

#include <gtest/gtest.h>

#include <map>

// X11 through XWayland only in a Wayland session that has an X display, and never
// over the user's own choice; an empty value counts as not set.
TEST(DisplayPlatform, XcbOnlyForAWaylandSessionWithAnXDisplayAndNoChoiceMade) {
    using Environment = std::map<std::string, std::string>;
    const std::pair<Environment, std::optional<std::string>> cases[] = {
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, "xcb"},
        {{{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}, "xcb"},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", ""}}, "xcb"},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}, std::nullopt},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ""}}, std::nullopt},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, std::nullopt},
        {{{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}, std::nullopt},
        {{{"WAYLAND_DISPLAY", ""}, {"DISPLAY", ":0"}}, std::nullopt},
    };
    for (const auto& [givenEnvironment, platform] : cases) {
        const Environment& environment = givenEnvironment;  // clang 14 cannot capture a structured binding
        const auto lookup = [&environment](const std::string& name) -> std::optional<std::string> {
            const auto found = environment.find(name);
            return found == environment.end() ? std::nullopt : std::optional<std::string>(found->second);
        };
        EXPECT_EQ(toolkit::preferredQtPlatform(lookup), platform) << ::testing::PrintToString(environment);
    }
}
