#include "viewer/core/viewer_session.h"

namespace sorvath {
namespace {

constexpr const char* kStartMessage = "Select any Input.dat or Output.dat from File tub -> Open. ";
constexpr const char* kAnimationFinished = "Animation is finished. Press 'Return' button.";
constexpr const char* kAnimationRunning = "Doing animation...";
constexpr const char* kAnimationStopped = "Animation is stoped";
constexpr const char* kOriginalSize = "Now you have an original image size.";

const char* panMessage(PanDirection direction) {
    switch (direction) {
        case PanDirection::Up: return "Up";
        case PanDirection::Down: return "Down";
        case PanDirection::Left: return "Left";
        case PanDirection::Right: return "Right";
    }
    return "";
}

}  // namespace

ViewerSession::ViewerSession(MessageLog& log, ViewerPrompter& prompter, int pictureWidth, int pictureHeight)
    : log_(log),
      prompter_(prompter),
      reader_(scene_, options_, log_, prompter_, state_),
      transform_(pictureWidth, pictureHeight),
      playback_(reader_) {}

void ViewerSession::begin() {
    state_.succeeded = true;
    state_.fitted = false;
    state_.picture = PictureChange::Kept;
}

ViewerState ViewerSession::finish() {
    if (state_.fitted) transform_.fit(scene_);
    state_.running = playback_.running();
    state_.nskip = playback_.nskip();
    return state_;
}

ViewerState ViewerSession::redrawn() {
    state_.picture = PictureChange::Redrawn;
    return finish();
}

ViewerState ViewerSession::start() {
    begin();
    log_.showmsg(kStartMessage);
    return finish();
}

// A running animation would go on reading whatever stream is open: it stops first.
ViewerState ViewerSession::openInput() {
    begin();
    playback_.stop();
    state_.succeeded = reader_.openInputFile();
    return finish();
}

ViewerState ViewerSession::openOutput() {
    begin();
    playback_.stop();
    state_.succeeded = reader_.openOutputFile();
    return finish();
}

ViewerState ViewerSession::openRun(const std::string& path) {
    begin();
    playback_.stop();
    state_.succeeded = reader_.openRunFile(path);
    return finish();
}

ViewerState ViewerSession::zoom(bool in) {
    begin();
    transform_.zoom(in);
    log_.showmsg(in ? "Zoom-in" : "Zoom-out");
    return redrawn();
}

ViewerState ViewerSession::pan(PanDirection direction) {
    begin();
    transform_.pan(direction);
    log_.showmsg(panMessage(direction));
    return redrawn();
}

ViewerState ViewerSession::originalSize() {
    begin();
    state_.fitted = true;
    log_.showmsg(kOriginalSize);
    return redrawn();
}

ViewerState ViewerSession::resizePicture(int width, int height) {
    begin();
    transform_.resize(width, height);
    if (!state_.viewControls) return finish();
    return redrawn();
}

ViewerState ViewerSession::stepOnce() {
    begin();
    if (playback_.atEnd()) return finish();
    reader_.outdraw();
    state_.step = scene_.iloop;
    return redrawn();
}

ViewerState ViewerSession::startAnimation() {
    begin();
    playback_.start();
    log_.showmsg(kAnimationRunning);
    return finish();
}

ViewerState ViewerSession::stopAnimation() {
    begin();
    playback_.stop();
    log_.showmsg(kAnimationStopped);
    return finish();
}

ViewerState ViewerSession::halt() {
    begin();
    playback_.stop();
    return finish();
}

ViewerState ViewerSession::restart() {
    begin();
    state_.succeeded = playback_.reset();
    return finish();
}

ViewerState ViewerSession::tick() {
    begin();
    if (!playback_.running()) return finish();
    switch (playback_.step(playback_.nskip(), options_.contactDisplay)) {
        case StepOutcome::Shown: state_.step = scene_.iloop; return redrawn();
        case StepOutcome::RunEnded:
        case StepOutcome::ReadFailed:
            playback_.stop();
            log_.showmsg(kAnimationFinished);
            return finish();
        case StepOutcome::WallMismatch: break;
    }
    return finish();
}

ViewerState ViewerSession::skipMore() {
    begin();
    playback_.skipMore();
    return finish();
}

ViewerState ViewerSession::skipLess() {
    begin();
    playback_.skipLess();
    return finish();
}

ViewerState ViewerSession::togglePeriodic() {
    begin();
    options_.periodic = !options_.periodic;
    state_.periodicCaption = options_.periodic ? "Periodic OFF" : "Periodic ON";
    return redrawn();
}

ViewerState ViewerSession::toggleColour() {
    begin();
    options_.colour = !options_.colour;
    state_.colourCaption = options_.colour ? "Color OFF" : "Color ON";
    state_.succeeded = playback_.reset();
    return finish();
}

ViewerState ViewerSession::toggleRelativeRotation() {
    begin();
    options_.relativeRotation = !options_.relativeRotation;
    state_.relativeRotationCaption = relativeRotationCaption(options_.relativeRotation);
    state_.succeeded = playback_.reset();
    return finish();
}

ViewerState ViewerSession::changeRatio(std::optional<float> ratio) {
    begin();
    if (ratio) options_.ratio = *ratio;
    if (options_.contactDisplay != ContactDisplay::No) reader_.recomputeSelection();
    return redrawn();
}

ViewerState ViewerSession::showContacts(ContactDisplay contacts) {
    begin();
    options_.contactDisplay = contacts;
    if (contacts == ContactDisplay::No) {
        state_.relativeRotationControl = false;
        options_.relativeRotation = false;
        state_.relativeRotationCaption = relativeRotationCaption(false);
        return redrawn();
    }
    state_.relativeRotationControl = true;
    state_.succeeded = playback_.reset();
    return finish();
}

ViewerState ViewerSession::markStepShown() {
    begin();
    state_.step = scene_.iloop;
    return finish();
}

}  // namespace sorvath
