#include "common/display_platform.h"

#include <stdlib.h>

namespace toolkit {

std::optional<std::string> preferredQtPlatform(const EnvironmentLookup& environment) {
    const auto isSet = [&](const char* name) {
        const std::optional<std::string> value = environment(name);
        return value && !value->empty();
    };
    const bool wayland = isSet("WAYLAND_DISPLAY") || environment("XDG_SESSION_TYPE") == "wayland";
    if (wayland && isSet("DISPLAY") && !isSet("QT_QPA_PLATFORM")) return "xcb";
    return std::nullopt;
}

void chooseDisplayPlatform() {
    const std::optional<std::string> platform = preferredQtPlatform([](const std::string& name) {
        const char* value = ::getenv(name.c_str());
        return value == nullptr ? std::nullopt : std::optional<std::string>(value);
    });
    if (platform) ::setenv("QT_QPA_PLATFORM", platform->c_str(), 1);
}

}  // namespace toolkit
