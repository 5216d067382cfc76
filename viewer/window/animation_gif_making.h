// Connects Form1's "Animation GIF making" to the GIF export: frames through the
// GIF converter into the run's animation folder (or the user's cache), flikkor from
// the program folder started on it and, on an X11 display, driven by XTest keystrokes.
#pragma once

#include "viewer/export/animation_export.h"
#include "viewer/platform/gif_frame_writer.h"
#include "viewer/platform/launcher.h"
#include "viewer/platform/x11_session.h"

#include <chrono>
#include <memory>

namespace sorvath {

class Form1;

class AnimationGifMaking {
public:
    // Installs itself as the window's m31 command; the object must outlive the window's use.
    // keyDelay is a fixed pause after each key string on top of the waits for flikkor's
    // windows, for slow machines; by default it comes from SORVATH_KEY_SETTLE_MS (unset: none).
    explicit AnimationGifMaking(Form1& window, std::chrono::milliseconds keyDelay = keySettleFromEnvironment());
    static std::chrono::milliseconds keySettleFromEnvironment();
    ~AnimationGifMaking();

    ExportOutcome run();

private:
    Form1& window_;
    std::chrono::milliseconds keyDelay_;
    GifFrameConverter converter_;
    ProcessLauncher launcher_;
    std::unique_ptr<X11Session> x11_;
    bool x11Tried_ = false;
    bool running_ = false;
};

}  // namespace sorvath
