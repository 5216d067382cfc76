// One viewer session: the scene, the view options, the result reader with its
// streams, the view transform of a picture of a given size and the playback. Every
// command of the window is one operation here; it returns the ViewerState the window
// shows (labels, control groups, captions, what happened to the picture). Messages
// go to the injected log as they come; the questions asked in the middle of an
// operation (the open dialogs, the wall file) go to the prompter. No Qt, no drawing:
// the window draws the scene with transform() and options() when the state asks.
#pragma once

#include "viewer/core/playback.h"
#include "viewer/core/result_reader.h"
#include "viewer/core/scene.h"
#include "viewer/core/view_options.h"
#include "viewer/core/view_transform.h"
#include "viewer/core/viewer_interfaces.h"
#include "viewer/core/viewer_state.h"

#include <optional>
#include <string>

namespace sorvath {

class ViewerSession {
public:
    ViewerSession(MessageLog& log, ViewerPrompter& prompter, int pictureWidth, int pictureHeight);
    ViewerSession(const ViewerSession&) = delete;
    ViewerSession& operator=(const ViewerSession&) = delete;

    // The greeting in the log; no run, both control groups disabled.
    ViewerState start();

    // Open Input.dat / Open Output.dat (message, dialog, reading); a running
    // animation stops first. succeeded tells whether the file was read.
    ViewerState openInput();
    ViewerState openOutput();
    // A run named on the command line, opened as the menu commands would open it.
    ViewerState openRun(const std::string& path);

    ViewerState zoom(bool in);
    ViewerState pan(PanDirection direction);
    // Fits the view to the scene's box again.
    ViewerState originalSize();
    // The picture now has width x height pixels (the window was resized): the view
    // follows it (ViewTransform::resize) and a shown scene is drawn again.
    ViewerState resizePicture(int width, int height);

    // One step block, drawn; nothing at the end of the run.
    ViewerState stepOnce();
    ViewerState startAnimation();
    ViewerState stopAnimation();
    // Stops the animation without a message (before exiting or exporting).
    ViewerState halt();
    // Reads the run again from its start, keeping the view.
    ViewerState restart();
    // The animation timer: while running, nskip + 1 blocks and the picture of the last;
    // at the end of the run the animation stops.
    ViewerState tick();
    ViewerState skipMore();
    ViewerState skipLess();

    // Periodic images are only drawn; colour and relative rotation read the run again.
    ViewerState togglePeriodic();
    ViewerState toggleColour();
    ViewerState toggleRelativeRotation();
    // The threshold ratio as entered; nothing (a bad or cancelled entry) keeps the old one.
    ViewerState changeRatio(std::optional<float> ratio);
    // The contact options: "no" only redraws; lines and grain selection read the run again.
    ViewerState showContacts(ContactDisplay contacts);

    // The step now in the scene becomes the shown step (the export's frames).
    ViewerState markStepShown();

    Scene& scene() { return scene_; }
    const Scene& scene() const { return scene_; }
    // The switches; tests and tools may set them before opening a run.
    ViewOptions& options() { return options_; }
    const ViewOptions& options() const { return options_; }
    const ViewTransform& transform() const { return transform_; }
    const ViewerState& state() const { return state_; }
    Playback& playback() { return playback_; }
    // The file last chosen, which every restart reopens.
    const std::string& chosenPath() const { return reader_.chosenPath(); }
    MessageLog& log() { return log_; }
    ViewerPrompter& prompter() { return prompter_; }

private:
    // Every operation starts with begin() and returns finish().
    void begin();
    ViewerState finish();
    ViewerState redrawn();

    MessageLog& log_;
    ViewerPrompter& prompter_;
    Scene scene_;
    ViewOptions options_;
    ViewerState state_;
    ResultReader reader_;
    ViewTransform transform_;
    Playback playback_;
};

}  // namespace sorvath
