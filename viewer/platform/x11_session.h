// One connection to an X11 display with the XTest extension, giving the keystroke
// sender and the window activator of that display. The X11 types stay inside the
// implementation so users need no X11 headers.
#pragma once

#include "viewer/platform/key_sender.h"
#include "viewer/platform/pause.h"
#include "viewer/platform/window_activator.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace sorvath {

class X11Session {
public:
    // Null when no display can be opened (no DISPLAY, a Wayland session without
    // XWayland) or the display lacks the XTest extension. An empty name means DISPLAY.
    static std::unique_ptr<X11Session> open(const std::string& displayName = {});
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    KeySender& keySender();
    WindowActivator& windowActivator();

    // Used while activate() waits for the focus; the default sleeps.
    void setPause(PauseFunction pause);

    struct Impl;

private:
    explicit X11Session(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace sorvath
