#include "viewer/export/animation_export.h"

#include "viewer/export/assembler_script.h"
#include "viewer/export/export_folder.h"
#include "viewer/export/export_messages.h"
#include "viewer/export/keystroke_driver.h"
#include "viewer/platform/gif_rasters.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <utility>

namespace sorvath {

ViewOptions exportFrameOptions(const ViewOptions& chosen) {
    ViewOptions options = chosen;
    if (options.contactDisplay == ContactDisplay::DrawLines) options.contactDisplay = ContactDisplay::No;
    options.relativeRotation = false;
    return options;
}

AnimationExport::AnimationExport(ViewerSession& session, FrameSink& frames, ExportPlatform platform,
                                 ExportSettings settings)
    : session_(session), frames_(frames), log_(session.log()), platform_(platform), settings_(std::move(settings)) {}

std::string AnimationExport::inFolder(const std::string& name) const { return folder_ + "/" + name; }

bool AnimationExport::stageFrame() {
    if (!writePending()) return false;
    auto frame = std::make_unique<PendingFrame>();
    frame->path = inFolder(frameName(frameCounter_));
    const int width = picture_.width;
    const int height = picture_.height;
    if (picture_.pixels != nullptr && width > 0 && height > 0) {
        frame->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        for (int y = 0; y < height; ++y) {
            const auto* row =
                reinterpret_cast<const uint32_t*>(reinterpret_cast<const unsigned char*>(picture_.pixels) +
                                                  static_cast<ptrdiff_t>(y) * picture_.bytesPerLine);
            std::copy(row, row + width, frame->pixels.begin() + static_cast<ptrdiff_t>(y) * width);
        }
        frame->picture = FramePixels{width, height, width * 4, frame->pixels.data()};
    }
    // The conversion needs nothing but the copied pixels: it runs while the next frame is drawn.
    FrameConverter& converter = platform_.converter;
    const FramePixels* picture = &frame->picture;
    frame->gif = std::async(std::launch::async, [&converter, picture] { return converter.convert(*picture); });
    pending_ = std::move(frame);
    return true;
}

bool AnimationExport::writePending() {
    if (!pending_) return true;
    const std::unique_ptr<PendingFrame> frame = std::move(pending_);
    const std::optional<std::string> gif = frame->gif.get();
    std::optional<toolkit::FileFailure> failure;
    std::unique_ptr<toolkit::StagedFile> file;
    if (!gif) {
        failure = toolkit::FileFailure{frame->path, "the picture cannot be turned into a GIF image"};
    } else if (!(failure = toolkit::stageFile(frame->path, toolkit::Durability::Cached, file))) {
        file->write(*gif);
        failure = file->finish();
    }
    if (failure) {
        log_.showmsg(export_messages::kFrameNotWritten + failure->message());
        stagedFrames_.clear();  // removes the frames staged so far
        return false;
    }
    stagedFrames_.push_back(std::move(file));
    return true;
}

bool AnimationExport::commitFrames() {
    std::vector<std::unique_ptr<toolkit::StagedFile>> frames = std::move(stagedFrames_);
    stagedFrames_.clear();
    for (const auto& frame : frames)
        if (const std::optional<toolkit::FileFailure> failure = frame->commit()) {
            log_.showmsg(export_messages::kFrameNotWritten + failure->message());
            return false;
        }
    return true;
}

void AnimationExport::drawFrame() {
    picture_ = frames_.drawFrame(session_, exportFrameOptions(session_.options()), frameCounter_);
    frames_.shown(session_.markStepShown());
}

ExportOutcome AnimationExport::run(int nskip) {
    // Restart the run at the current zoom.
    const ViewerState restarted = session_.restart();
    frames_.shown(restarted);
    if (!restarted.succeeded) {
        log_.showmsg(export_messages::kRestartFailed);
        return ExportOutcome::RestartFailed;
    }
    std::string problem;
    const std::optional<ExportFolder> folder =
        prepareExportFolder(session_.chosenPath(), settings_.cacheFolder, problem);
    if (!folder) {
        log_.showmsg(export_messages::kFolderNotWritable + problem);
        return ExportOutcome::NotWritable;
    }
    folder_ = folder->path;
    if (!session_.prompter().askYesNo(export_messages::preparationQuestion(folder_))) {
        std::error_code ignored;
        if (folder->created) std::filesystem::remove(folder_, ignored);
        return ExportOutcome::Declined;
    }
    // Flikkor lists the folder's GIF files by name and the key script selects the first
    // ones, so only this export's frames may be there.
    if (const std::optional<toolkit::FileFailure> failure = removeEarlierExportFiles(folder_)) {
        log_.showmsg(export_messages::kFrameNotWritten + failure->message());
        return ExportOutcome::NotWritable;
    }

    frameCounter_ = 100;
    stagedFrames_.clear();
    pending_.reset();
    drawFrame();
    // The frames get their names together once the last one is written, so a failure
    // leaves no frame behind.
    const auto framesComplete = [this] {
        if (!writePending() || !commitFrames()) return ExportOutcome::NotWritable;
        log_.showmsg(export_messages::kComplete);
        return finish();
    };
    Playback& playback = session_.playback();
    while (!playback.atEnd()) {
        ++frameCounter_;
        log_.showmsg(export_messages::kTranslating);
        if (!stageFrame()) return ExportOutcome::NotWritable;
        // The contact streams stay where they are during the export.
        switch (playback.step(nskip, ContactDisplay::No)) {
            case StepOutcome::RunEnded: return framesComplete();
            case StepOutcome::WallMismatch:
                return writePending() && commitFrames() ? ExportOutcome::WallMismatch : ExportOutcome::NotWritable;
            case StepOutcome::Shown:
            case StepOutcome::ReadFailed: break;  // reported; the stream now counts as ended
        }
        drawFrame();
    }
    return framesComplete();
}

std::string AnimationExport::animationPath() const {
    std::error_code error;
    std::filesystem::path animation = std::filesystem::absolute(inFolder("tempanim.gif"), error);
    return error ? inFolder("tempanim.gif") : animation.string();
}

ExportOutcome AnimationExport::finish() {
    if (platform_.runner != nullptr) return assembleByCommand();
    KeySender* keys = platform_.keys;
    WindowActivator* windows = platform_.windows;
    if (keys == nullptr || windows == nullptr) {
        log_.showmsg(export_messages::kNoDisplay + folder_);
        return ExportOutcome::FramesOnly;
    }
    // The save dialog takes a full path, so the animation lands in the export folder
    // whatever folder the dialog showed last.
    const std::string animation = animationPath();
    if (const std::optional<std::string> problem = saveDialogPathProblem(animation)) {
        log_.showmsg(export_messages::kPathNotTypeable + *problem + ": " + animation + export_messages::kFramesAreIn +
                     folder_);
        return ExportOutcome::FramesOnly;
    }
    windows->activate(settings_.viewerCaption);

    // flikkor opens the folder given as its file list's folder and is started in it.
    LaunchRequest request;
    request.program = (std::filesystem::path(settings_.programFolder) / settings_.assemblerProgram).string();
    request.arguments = {folder_};
    request.workingDirectory = folder_;
    // The keystrokes travel through the X server, so the assembler must be an X client.
    request.environment["QT_QPA_PLATFORM"] = "xcb";
    const ProcessId assembler = platform_.launcher.startDetached(request);
    if (assembler == 0) {
        log_.showmsg(export_messages::kAssemblerNotStarted + request.program + export_messages::kFramesAreIn + folder_);
        return ExportOutcome::FramesOnly;
    }

    const int frames = frameCounter_ - 100;
    DrivingLimits limits;
    limits.windowWait = std::chrono::milliseconds(settings_.assemblerWaitMs);
    limits.stepWait = std::chrono::milliseconds(settings_.assemblerWaitMs + settings_.assemblerWaitPerFrameMs * frames);
    limits.settle = std::chrono::milliseconds(settings_.keySettleMs);
    KeystrokeDriver driver(*keys, *windows, platform_.launcher, platform_.pause, limits);
    const DrivingResult driven = driver.drive(assembler, assemblerKeySteps(frameCounter_, animation),
                                              [this] { log_.showmsg(export_messages::kDriving); });
    windows->activate(settings_.viewerCaption);
    if (!driven.completed) {
        log_.showmsg(export_messages::kKeysStopped + driven.failure + export_messages::kFramesAreIn + folder_);
        return driven.stringsSent == 0 ? ExportOutcome::FramesOnly : ExportOutcome::AssemblerStopped;
    }
    return checkAnimation(animation);
}

ExportOutcome AnimationExport::assembleByCommand() {
    if (frameCounter_ == 100) {
        log_.showmsg(export_messages::kAnimationNotMade + std::string(export_messages::kNoFrame) +
                     export_messages::kFramesAreIn + folder_);
        return ExportOutcome::AssemblerStopped;
    }
    const std::string animation = animationPath();
    LaunchRequest request;
    request.program = (std::filesystem::path(settings_.programFolder) / settings_.assemblerProgram).string();
    request.arguments = assemblerCommandArguments(frameCounter_, animation);
    request.workingDirectory = folder_;
    const ProgramRun assembled = platform_.runner->run(request);
    if (!assembled.started) {
        log_.showmsg(export_messages::kAssemblerNotStarted + request.program + " (" + assembled.errorOutput + ")" +
                     export_messages::kFramesAreIn + folder_);
        return ExportOutcome::FramesOnly;
    }
    if (assembled.status != 0) {
        std::string said = assembled.errorOutput;
        while (!said.empty() && (said.back() == '\n' || said.back() == ' ')) said.pop_back();
        std::replace(said.begin(), said.end(), '\n', ' ');
        log_.showmsg(export_messages::kAnimationNotMade + request.program + " --make ended with status " +
                     std::to_string(assembled.status) + (said.empty() ? "" : ": " + said) +
                     export_messages::kFramesAreIn + folder_);
        return ExportOutcome::AssemblerStopped;
    }
    return checkAnimation(animation);
}

ExportOutcome AnimationExport::checkAnimation(const std::string& path) {
    const std::string problem = animationProblem(path);
    if (!problem.empty()) {
        log_.showmsg(export_messages::kAnimationNotMade + problem + export_messages::kFramesAreIn + folder_);
        return ExportOutcome::AssemblerStopped;
    }
    log_.showmsg(export_messages::kAnimationMade + path + " (" + std::to_string(frameCounter_ - 100) + " frames)");
    return ExportOutcome::AnimationMade;
}

std::string AnimationExport::animationProblem(const std::string& path) const {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return "flikkor did not write " + path;
    // Flikkor copies every raster as stored, so image k must hold frame k's bytes.
    const int frames = frameCounter_ - 100;
    GifRasterScanner animation(path);
    std::string image;
    std::string frame;
    std::string firstDifference;
    int images = 0;
    while (animation.next(image)) {
        if (++images > frames || !firstDifference.empty()) continue;
        const std::string name = frameName(100 + images);
        GifRasterScanner frameFile(inFolder(name));
        if (!frameFile.next(frame))
            return frameFile.problem().empty() ? inFolder(name) + " holds no image" : frameFile.problem();
        if (image != frame)
            firstDifference = "image " + std::to_string(images) + " of " + path + " is not the frame " + name;
    }
    if (!animation.problem().empty()) return animation.problem();
    if (images != frames)
        return path + " holds " + std::to_string(images) + " images instead of " + std::to_string(frames);
    return firstDifference;
}

}  // namespace sorvath
