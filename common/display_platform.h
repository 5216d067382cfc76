#pragma once
// Which of Qt's window-system platforms a window program asks for. The programs
// drive one another with synthetic keystrokes through X11, which a Wayland
// client can neither send nor receive; nearly every Wayland session also offers
// an X display (XWayland), so there the programs run as X11 clients. Plain C++:
// decided from the environment before the QApplication exists.
#include <functional>
#include <optional>
#include <string>

namespace toolkit {

// The value of an environment variable; nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// "xcb" when the session is a Wayland one (WAYLAND_DISPLAY set, or XDG_SESSION_TYPE
// "wayland"), an X display is available (DISPLAY set) and the user has chosen no
// platform (QT_QPA_PLATFORM unset); otherwise nothing, and Qt chooses as usual.
// An empty value counts as not set.
std::optional<std::string> preferredQtPlatform(const EnvironmentLookup& environment);

// Sets QT_QPA_PLATFORM to the preferred platform of the process's environment, if
// there is one. Call before the QApplication is made.
void chooseDisplayPlatform();

}  // namespace toolkit
