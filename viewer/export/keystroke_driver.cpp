#include "viewer/export/keystroke_driver.h"

#include <utility>

namespace sorvath {
namespace {

std::string seconds(std::chrono::milliseconds time) {
    const long long tenths = (time.count() + 50) / 100;
    return std::to_string(tenths / 10) + (tenths % 10 != 0 ? "." + std::to_string(tenths % 10) : "") + " s";
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// A window's caption as set by its program; the toolkit may add the application's
// name after a dash.
bool captionMatches(const std::string& caption, const std::string& expected) {
    if (caption == expected) return true;
    for (const char* dash : {" \u2014 ", " - "})
        if (caption.rfind(expected + dash, 0) == 0) return true;
    return false;
}

}  // namespace

KeystrokeDriver::KeystrokeDriver(KeySender& keys, WindowActivator& windows, Launcher& processes, PauseFunction pause,
                                 DrivingLimits limits)
    : keys_(keys), windows_(windows), processes_(processes), pause_(std::move(pause)), limits_(limits) {}

KeystrokeDriver::Look KeystrokeDriver::waitFor(std::chrono::milliseconds limit, const std::function<Look()>& look) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (true) {
        const Look seen = look();
        if (seen != Look::Waiting || std::chrono::steady_clock::now() >= deadline) return seen;
        pause_(limits_.poll);
    }
}

std::string KeystrokeDriver::stepName(size_t index, size_t count, const KeyStep& step) const {
    return "key string " + std::to_string(index + 1) + " of " + std::to_string(count) + " (" + quoted(step.keys) + ")";
}

std::string KeystrokeDriver::focusName() {
    const WindowInfo focus = windows_.focusedWindow();
    if (focus.id == 0) return "no window has the keyboard focus";
    return "the keyboard focus is on " + quoted(focus.caption);
}

DrivingResult KeystrokeDriver::drive(ProcessId program, const std::vector<KeyStep>& steps,
                                     const std::function<void()>& beforeFirstKey) {
    DrivingResult result;
    const std::string process = "(process " + std::to_string(program) + ")";

    // The program's own window, never one of another program with the same caption.
    WindowId main = 0;
    bool ended = false;
    waitFor(limits_.windowWait, [&] {
        const std::vector<WindowId> shown = windows_.windowsOfProcess(program);
        if (!shown.empty()) {
            main = shown.front();
            return Look::Reached;
        }
        ended = !processes_.isRunning(program);
        return ended ? Look::Failed : Look::Waiting;
    });
    if (main == 0) {
        result.failure = ended ? "the flikkor just started " + process + " ended without showing a window"
                               : "no window of the flikkor just started " + process + " appeared within " +
                                     seconds(limits_.windowWait);
        result.failure += ", so no key was sent";
        return result;
    }
    if (windows_.focusedWindow().id != main) windows_.requestFocus(main);
    if (waitFor(limits_.windowWait,
                [&] { return windows_.focusedWindow().id == main ? Look::Reached : Look::Waiting; }) != Look::Reached) {
        result.failure = "the window of the flikkor just started " + process +
                         " did not get the keyboard focus within " + seconds(limits_.windowWait) + " (" + focusName() +
                         "), so no key was sent";
        return result;
    }
    if (beforeFirstKey) beforeFirstKey();

    std::vector<WindowId> expected = {main};  // the focused window, with the windows below it
    std::vector<std::string> expectedCaptions = {windows_.focusedWindow().caption};
    for (size_t k = 0; k < steps.size(); ++k) {
        const KeyStep& step = steps[k];
        const std::string name = stepName(k, steps.size(), step);
        const WindowInfo focus = windows_.focusedWindow();
        if (focus.id != expected.back()) {
            result.failure = "before " + name + " the keyboard focus was on " + quoted(focus.caption) +
                             " instead of flikkor's window " + quoted(expectedCaptions.back()) +
                             ", so it and the rest were not sent";
            return result;
        }
        if (!keys_.send(step.keys)) {
            result.failure = name + " could not be typed on this keyboard";
            return result;
        }
        ++result.stringsSent;
        if (limits_.settle.count() > 0) pause_(limits_.settle);

        switch (step.effect) {
            case KeyEffect::None: break;
            case KeyEffect::OpensDialog: {
                WindowInfo dialog;
                const Look seen = waitFor(limits_.stepWait, [&] {
                    const WindowInfo now = windows_.focusedWindow();
                    if (now.id != 0 && now.process == program && now.id != expected.back()) {
                        dialog = now;
                        return Look::Reached;
                    }
                    return processes_.isRunning(program) ? Look::Waiting : Look::Failed;
                });
                if (seen == Look::Failed) {
                    result.failure =
                        "after " + name + " flikkor ended instead of showing " + quoted(step.dialogCaption);
                    return result;
                }
                if (seen != Look::Reached) {
                    result.failure = "after " + name + " flikkor's window " + quoted(step.dialogCaption) +
                                     " did not take the keyboard focus within " + seconds(limits_.stepWait) + " (" +
                                     focusName() + ")";
                    return result;
                }
                if (!captionMatches(dialog.caption, step.dialogCaption)) {
                    result.failure = "after " + name + " flikkor showed " + quoted(dialog.caption) + " where " +
                                     quoted(step.dialogCaption) + " was expected";
                    return result;
                }
                expected.push_back(dialog.id);
                expectedCaptions.push_back(dialog.caption);
                break;
            }
            case KeyEffect::ClosesDialog: {
                const WindowId dialog = expected.back();
                const WindowId below = expected.size() > 1 ? expected[expected.size() - 2] : main;
                const Look seen = waitFor(limits_.stepWait, [&] {
                    if (!windows_.isShown(dialog) && windows_.focusedWindow().id == below) return Look::Reached;
                    return processes_.isRunning(program) ? Look::Waiting : Look::Failed;
                });
                if (seen != Look::Reached) {
                    result.failure = "after " + name +
                                     (seen == Look::Failed ? " flikkor ended unexpectedly"
                                                           : " the dialog " + quoted(expectedCaptions.back()) +
                                                                 " did not close and give the "
                                                                 "focus back within " +
                                                                 seconds(limits_.stepWait) + " (" + focusName() + ")");
                    return result;
                }
                if (expected.size() > 1) {
                    expected.pop_back();
                    expectedCaptions.pop_back();
                }
                break;
            }
            case KeyEffect::EndsProgram: {
                if (waitFor(limits_.stepWait, [&] {
                        return processes_.isRunning(program) ? Look::Waiting : Look::Reached;
                    }) != Look::Reached) {
                    result.failure = "after " + name + " flikkor did not end within " + seconds(limits_.stepWait) +
                                     " (" + focusName() + ")";
                    return result;
                }
                break;
            }
        }
    }
    result.completed = true;
    return result;
}

}  // namespace sorvath
