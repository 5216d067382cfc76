// One connection to an X11 display with the XTest extension, giving the keystroke
// sender and the window activator of that display. The X11 types stay inside the
// implementation so users need no X11 headers.
#pragma once

#include "viewer/platform/key_sender.h"
#include "viewer/platform/window_activator.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace sorvath {

// Lets the own program and the receiving one process what was sent; called after
// every string with the configured delay. The default sleeps.
using SettleFunction = std::function<void(std::chrono::milliseconds)>;

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

    void setSettle(SettleFunction settle, std::chrono::milliseconds delay);

    struct Impl;

private:
    explicit X11Session(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace sorvath
