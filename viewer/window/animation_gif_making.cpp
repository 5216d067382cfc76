#include "viewer/window/animation_gif_making.h"

#include "viewer/export/export_folder.h"
#include "viewer/window/form1.h"
#include "viewer/window/session_picture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace sorvath {
namespace {

// The viewer's own events keep running while the export waits for flikkor.
void settleWithEvents(std::chrono::milliseconds delay) {
    QElapsedTimer timer;
    timer.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (timer.elapsed() < delay.count());
}

}  // namespace

std::chrono::milliseconds AnimationGifMaking::keySettleFromEnvironment() {
    const char* text = std::getenv("SORVATH_KEY_SETTLE_MS");
    int value = 0;
    if (text == nullptr) return std::chrono::milliseconds(0);
    const auto [end, error] = std::from_chars(text, text + std::strlen(text), value);
    if (error != std::errc() || *end != '\0' || value < 0 || value > 10000) return std::chrono::milliseconds(0);
    return std::chrono::milliseconds(value);
}

AnimationGifMaking::AnimationGifMaking(Form1& window, std::chrono::milliseconds keyDelay)
    : window_(window), keyDelay_(keyDelay) {
    window_.animationGifMaking = [this] { run(); };
}

AnimationGifMaking::~AnimationGifMaking() { window_.animationGifMaking = nullptr; }

ExportOutcome AnimationGifMaking::run() {
    // Events handled during the key waits must not start a second export.
    if (running_) return ExportOutcome::Declined;
    running_ = true;
    // The export reads the run itself; the animation timer must not step it meanwhile.
    if (window_.running()) window_.Command14_Click();
    // Every frame has the picture's size at the start: the window keeps its size meanwhile.
    const QSize smallest = window_.minimumSize();
    const QSize largest = window_.maximumSize();
    window_.setFixedSize(window_.size());
    if (!x11Tried_) {
        x11Tried_ = true;
        // Keystrokes need the X server the windows live on (not offscreen, not Wayland).
        if (QGuiApplication::platformName() == QLatin1String("xcb")) x11_ = X11Session::open();
        if (x11_) x11_->setPause(settleWithEvents);
    }
    ExportPlatform platform{converter_, launcher_, x11_ ? &x11_->keySender() : nullptr,
                            x11_ ? &x11_->windowActivator() : nullptr, settleWithEvents};
    ExportSettings settings;
    settings.keySettleMs = static_cast<int>(keyDelay_.count());
    settings.programFolder = window_.programFolder();
    settings.cacheFolder = sorvathCacheFolder();
    settings.viewerCaption = window_.windowTitle().toStdString();
    // The frames are drawn into the window's picture and shown at once.
    PictureFrameSink frames(window_.picture(), [this](const ViewerState& state) {
        window_.showState(state);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    AnimationExport exporter(window_.session(), frames, platform, settings);
    const ExportOutcome outcome = exporter.run(window_.nskip());
    window_.setMinimumSize(smallest);
    window_.setMaximumSize(largest);
    running_ = false;
    return outcome;
}

}  // namespace sorvath
