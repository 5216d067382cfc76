#include "viewer/window/batch_export.h"

#include "common/safe_output.h"
#include "viewer/core/companion_names.h"
#include "viewer/core/messages.h"
#include "viewer/core/viewer_session.h"
#include "viewer/draw/scene_picture.h"
#include "viewer/export/animation_export.h"
#include "viewer/export/export_folder.h"
#include "viewer/export/export_messages.h"
#include "viewer/platform/gif_frame_writer.h"
#include "viewer/platform/program_runner.h"
#include "viewer/window/session_picture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string_view>

namespace sorvath {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = "sorvath: ";

// The window's questions answered as the command line asks: the run is the file
// chosen, its wall file is mounted when it is there, and the export goes ahead.
class BatchPrompter : public ViewerPrompter {
public:
    explicit BatchPrompter(std::string run) : run_(std::move(run)) {}
    bool askYesNo(const std::string& text) override {
        if (text != messages::kWallQuestion) return true;  // the check-point question
        const std::optional<OutputPathParts> parts = splitOutputPath(run_);
        struct stat info {};
        return parts && ::stat((parts->dirpart + wallFileName(*parts)).c_str(), &info) == 0 && S_ISREG(info.st_mode);
    }
    std::string chooseOpenFile(const FileOpenRequest&) override { return run_; }

private:
    std::string run_;
};

// The message log on standard error. The reports of work done (and the export's
// line per frame, shown as the progress instead) are left out; the readers' reports
// name the run.
class BatchLog : public MessageLog {
public:
    BatchLog(std::ostream& err, std::string run, int frames, bool progress)
        : err_(err), run_(std::move(run)), frames_(frames), progress_(progress) {}

    void showmsg(const std::string& text) override {
        if (text == export_messages::kTranslating) {
            ++frame_;
            if (progress_) err_ << "\rframe " << frame_ << " of " << frames_ << std::flush;
            return;
        }
        if (quiet(text)) return;
        endProgressLine();
        static const std::set<std::string_view> aboutTheRun{messages::kReadingError, messages::kShapeReadingError,
                                                            messages::kWallStepError, messages::kContactHeaderError,
                                                            messages::kContactRecordError};
        err_ << kProgram << (aboutTheRun.count(text) ? run_ + ": " : "") << text;
        if (text == messages::kReadingError && !openFailure_.empty()) err_ << " (" << openFailure_ << ")";
        err_ << '\n';
    }
    void beep() override {}

    // Why the run's file cannot be opened, added to the reading-error message.
    void setOpenFailure(std::string reason) { openFailure_ = std::move(reason); }
    void endProgressLine() {
        if (progress_ && frame_ > 0 && !lineEnded_) err_ << '\n';
        lineEnded_ = true;
    }

private:
    static bool quiet(const std::string& text) {
        static const std::set<std::string_view> done{messages::kSelectOutput, messages::kInitialDrawComplete,
                                                     export_messages::kComplete, "Zoom-in", "Zoom-out"};
        return done.count(text) > 0 || text.rfind(messages::kContactStatistics, 0) == 0 ||
               text.rfind(export_messages::kAnimationMade, 0) == 0;
    }

    std::ostream& err_;
    std::string run_;
    int frames_;
    bool progress_;
    int frame_ = 0;
    bool lineEnded_ = false;
    std::string openFailure_;
};

class SilentLog : public MessageLog {
public:
    void showmsg(const std::string&) override {}
    void beep() override {}
};

// The frames the export will write: its loop replayed without drawing (only for the
// progress line, so only when that is shown).
int countFrames(const BatchExportRequest& request) {
    SilentLog log;
    BatchPrompter prompter(request.run);
    ViewerSession session(log, prompter, 1, 1);
    if (!session.openOutput().succeeded) return 0;
    Playback& playback = session.playback();
    int frames = 0;
    while (!playback.atEnd()) {
        ++frames;
        if (playback.step(request.nskip, ContactDisplay::No) != StepOutcome::Shown) break;
    }
    return frames;
}

// The folder of this program, where flikkor is found.
std::string ownProgramFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

}  // namespace

int runBatchExport(const BatchExportRequest& request, std::ostream& out, std::ostream& err, bool progress) {
    // -o is refused before any work when it cannot be written.
    std::unique_ptr<toolkit::StagedFile> result;
    if (!request.output.empty())
        if (const std::optional<toolkit::FileFailure> failure =
                toolkit::stageFile(request.output, toolkit::Durability::Synced, result)) {
            err << kProgram << export_messages::kAnimationNotWritten << failure->message() << '\n';
            return 1;
        }

    BatchLog log(err, request.run, progress ? countFrames(request) : 0, progress);
    BatchPrompter prompter(request.run);
    ViewerSession session(log, prompter, request.width, request.height);
    session.options() = request.options;
    toolkit::FileFailure unreadable;
    if (const int fd = toolkit::openRegularFile(request.run, unreadable); fd >= 0)
        ::close(fd);
    else
        log.setOpenFailure(unreadable.reason);
    if (!session.openOutput().succeeded) return 1;
    for (int k = 0; k < std::abs(request.zoom); ++k) session.zoom(request.zoom > 0);

    ScenePicture picture(request.width, request.height);
    PictureFrameSink frames(picture);
    GifFrameConverter converter;
    ProcessLauncher launcher;  // not used: no key is sent
    SpawnRunner runner;
    ExportPlatform platform{converter, launcher};
    platform.runner = &runner;
    ExportSettings settings;
    settings.programFolder = ownProgramFolder();
    settings.cacheFolder = sorvathCacheFolder();
    AnimationExport exporter(session, frames, platform, settings);
    const ExportOutcome outcome = exporter.run(request.nskip);
    log.endProgressLine();
    if (outcome != ExportOutcome::AnimationMade) return 1;

    const std::string animation = (fs::absolute(exporter.exportFolder()) / "tempanim.gif").string();
    if (!result) {
        out << animation << '\n';
        return 0;
    }
    toolkit::FileFailure failure;
    const std::optional<std::string> bytes = toolkit::readRegularFile(animation, failure);
    if (bytes) result->write(*bytes);
    if (const std::optional<toolkit::FileFailure> written = bytes ? result->commit() : failure) {
        err << kProgram << export_messages::kAnimationNotWritten << written->message() << '\n';
        return 1;
    }
    out << request.output << '\n';
    return 0;
}

}  // namespace sorvath
