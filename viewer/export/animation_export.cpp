#include "viewer/export/animation_export.h"

#include "viewer/export/assembler_script.h"
#include "viewer/export/export_messages.h"
#include "viewer/export/keystroke_driver.h"
#include "viewer/platform/gif_image_count.h"

#include <QString>

#include <cstdio>
#include <filesystem>
#include <random>
#include <utility>

namespace sorvath {

AnimationExport::AnimationExport(Scene& scene, ViewOptions& options, ResultReader& reader, SceneDisplay& display,
                                 const ScenePicture& picture, MessageLog& log, ViewerPrompter& prompter,
                                 ExportPlatform platform, ExportSettings settings)
    : scene_(scene),
      options_(options),
      reader_(reader),
      display_(display),
      picture_(picture),
      log_(log),
      prompter_(prompter),
      platform_(platform),
      settings_(std::move(settings)) {}

std::string AnimationExport::inFolder(const std::string& name) const {
    std::string path = settings_.programFolder;
    if (!path.empty() && path.back() != '/') path += '/';
    return path + name;
}

bool AnimationExport::folderWritable() const {
    static std::mt19937_64 random{std::random_device{}()};
    const std::string probe = inFolder(".sorvath-write-check-" + std::to_string(random()));
    std::FILE* file = std::fopen(probe.c_str(), "wx");
    if (file == nullptr) return false;
    std::fclose(file);
    std::remove(probe.c_str());
    return true;
}

bool AnimationExport::saveBitmap() {
    return picture_.image().save(QString::fromStdString(inFolder("temp.bmp")), "BMP");
}

OutdrawResult AnimationExport::readStepWithoutContacts() {
    // The contact streams stay where they are during the export.
    const ContactDisplay contacts = options_.contactDisplay;
    options_.contactDisplay = ContactDisplay::No;
    const OutdrawResult result = reader_.outdraw();
    options_.contactDisplay = contacts;
    return result;
}

void AnimationExport::drawFrame() {
    // Contacts are not advanced during the export, so the frames carry no contact
    // segments or rotation marks; grain selection keeps the marks of the start.
    const ViewOptions chosen = options_;
    if (options_.contactDisplay == ContactDisplay::DrawLines) options_.contactDisplay = ContactDisplay::No;
    options_.relativeRotation = false;
    display_.clearPicture();
    display_.drawscene();
    options_ = chosen;
    display_.showStepNumber(scene_.iloop);
    if (frameShown_) frameShown_();
}

ExportOutcome AnimationExport::run(int nskip) {
    // Restart the run at the current zoom.
    if (!reader_.reopenresults()) {
        log_.showmsg(export_messages::kRestartFailed);
        return ExportOutcome::RestartFailed;
    }
    if (!folderWritable()) {
        log_.showmsg(export_messages::kFolderNotWritable + settings_.programFolder);
        return ExportOutcome::NotWritable;
    }
    if (!prompter_.askYesNo(export_messages::kCheckPoints)) return ExportOutcome::Declined;

    frameCounter_ = 100;
    std::error_code error;
    animationExisted_ = std::filesystem::exists(inFolder("tempanim.gif"), error);
    if (animationExisted_) animationTimeBefore_ = std::filesystem::last_write_time(inFolder("tempanim.gif"), error);
    drawFrame();
    const std::string bitmap = inFolder("temp.bmp");
    if (!saveBitmap()) {
        log_.showmsg(export_messages::kFrameNotWritten + bitmap);
        return ExportOutcome::NotWritable;
    }
    while (!reader_.outputAtEnd()) {
        ++frameCounter_;
        log_.showmsg(export_messages::kTranslating);
        const std::string gif = inFolder("temp-" + std::to_string(frameCounter_) + ".gif");
        if (!saveBitmap() || !platform_.converter.convertSaved(picture_.image(), bitmap, gif)) {
            log_.showmsg(export_messages::kFrameNotWritten + gif);
            return ExportOutcome::NotWritable;
        }
        for (int k = 0; k <= nskip; ++k) {
            if (reader_.outputAtEnd()) {
                log_.showmsg(export_messages::kComplete);
                return finish();
            }
            const OutdrawResult result = readStepWithoutContacts();
            if (result == OutdrawResult::WallMismatch) return ExportOutcome::WallMismatch;
            if (result == OutdrawResult::Failed) break;  // reported; the stream now counts as ended
        }
        drawFrame();
    }
    log_.showmsg(export_messages::kComplete);
    return finish();
}

ExportOutcome AnimationExport::finish() {
    KeySender* keys = platform_.keys;
    WindowActivator* windows = platform_.windows;
    if (keys == nullptr || windows == nullptr) {
        log_.showmsg(export_messages::kNoDisplay);
        return ExportOutcome::FramesOnly;
    }
    windows->activate(settings_.viewerCaption);

    LaunchRequest request;
    request.program = inFolder(settings_.assemblerProgram);
    request.workingDirectory = settings_.programFolder;
    // The keystrokes travel through the X server, so the assembler must be an X client.
    request.environment["QT_QPA_PLATFORM"] = "xcb";
    const ProcessId assembler = platform_.launcher.startDetached(request);
    if (assembler == 0) {
        log_.showmsg(export_messages::kAssemblerNotStarted + request.program);
        return ExportOutcome::FramesOnly;
    }

    // The save dialog takes a full path, so the animation lands in the program folder
    // whatever folder the dialog showed last.
    std::error_code error;
    std::filesystem::path animation = std::filesystem::absolute(inFolder("tempanim.gif"), error);
    if (error) animation = inFolder("tempanim.gif");
    const int frames = frameCounter_ - 100;
    DrivingLimits limits;
    limits.windowWait = std::chrono::milliseconds(settings_.assemblerWaitMs);
    limits.stepWait = std::chrono::milliseconds(settings_.assemblerWaitMs + settings_.assemblerWaitPerFrameMs * frames);
    limits.settle = std::chrono::milliseconds(settings_.keySettleMs);
    KeystrokeDriver driver(*keys, *windows, platform_.launcher, platform_.pause, limits);
    const DrivingResult driven = driver.drive(assembler, assemblerKeySteps(frameCounter_, animation.string()),
                                              [this] { log_.showmsg(export_messages::kDriving); });
    windows->activate(settings_.viewerCaption);
    if (!driven.completed) {
        log_.showmsg(export_messages::kKeysStopped + driven.failure + export_messages::kFramesAreIn +
                     settings_.programFolder);
        return driven.stringsSent == 0 ? ExportOutcome::FramesOnly : ExportOutcome::AssemblerStopped;
    }
    return checkAnimation(animation.string());
}

ExportOutcome AnimationExport::checkAnimation(const std::string& path) {
    const int frames = frameCounter_ - 100;
    std::error_code error;
    std::string reason;
    const bool exists = std::filesystem::exists(path, error);
    const bool renewed =
        exists && (!animationExisted_ || std::filesystem::last_write_time(path, error) != animationTimeBefore_);
    const int images = renewed ? countGifImages(path) : -1;
    if (!exists)
        reason = "flikkor did not write " + path;
    else if (!renewed)
        reason = path + " was not written again by this export";
    else if (images < 0)
        reason = path + " is not a whole GIF file";
    else if (images != frames)
        reason = path + " holds " + std::to_string(images) + " images instead of " + std::to_string(frames);
    if (!reason.empty()) {
        log_.showmsg(export_messages::kAnimationNotMade + reason + export_messages::kFramesAreIn +
                     settings_.programFolder);
        return ExportOutcome::AssemblerStopped;
    }
    log_.showmsg(export_messages::kAnimationMade + path + " (" + std::to_string(frames) + " frames)");
    return ExportOutcome::AnimationMade;
}

}  // namespace sorvath
