// "Animation GIF making": replays the session's output run from its start through
// its playback, has the frame sink draw every frame, converts its picture into "temp-" + frame number + ".gif" in the
// export folder (export_folder.h: "animation/" beside the run, or the user's cache), then starts flikkor on that folder
// and drives it with keystrokes to assemble the frames into "tempanim.gif" there (or, from the command line, runs
// "flikkor --make" on them), and checks that every image of it is its frame.
#pragma once

#include "common/safe_output.h"
#include "viewer/core/view_options.h"
#include "viewer/core/viewer_session.h"
#include "viewer/export/frame_sink.h"
#include "viewer/platform/frame_converter.h"
#include "viewer/platform/key_sender.h"
#include "viewer/platform/launcher.h"
#include "viewer/platform/pause.h"
#include "viewer/platform/program_runner.h"
#include "viewer/platform/window_activator.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace sorvath {

struct ExportSettings {
    std::string programFolder;  // the folder flikkor is started from, with or without a trailing "/"
    // Where the animation goes when the run's folder cannot be written (sorvathCacheFolder()).
    std::string cacheFolder;
    std::string viewerCaption;  // the viewer's own window caption
    std::string assemblerProgram = "flikkor";
    // How long to wait for the assembler's window, for each of its dialogs and for its
    // end: the base time plus the time per frame (it loads and writes every frame).
    int assemblerWaitMs = 20000;
    int assemblerWaitPerFrameMs = 50;
    // A fixed pause after every key string, for machines where the events alone are
    // not enough; 0 leaves the pacing to the events.
    int keySettleMs = 0;
};

// The outside world of the export. Without an X11 display keys and windows are
// null: the frames are still written and the log says so. With a runner (the
// command-line export) flikkor is run on the frames by its command line instead,
// and no key is sent.
struct ExportPlatform {
    FrameConverter& converter;
    Launcher& launcher;
    KeySender* keys = nullptr;
    WindowActivator* windows = nullptr;
    // Lets the viewer's own events run while the export waits for the assembler.
    PauseFunction pause = [](std::chrono::milliseconds time) { std::this_thread::sleep_for(time); };
    ProgramRunner* runner = nullptr;
};

enum class ExportOutcome {
    RestartFailed,     // the run could not be reopened from its start; nothing asked or written
    Declined,          // the check-point question was not answered Yes
    NotWritable,       // no export folder or a frame file could not be written; no new frame was left
    WallMismatch,      // the wall file went out of step; ended without the finishing sequence
    FramesOnly,        // frames written; no key reached the assembler (or it was not started)
    AssemblerStopped,  // frames written; the keystrokes stopped or the animation did not come out right
    AnimationMade,     // frames written and "tempanim.gif" made from all of them
};

// The switches the frames are drawn with: contacts are not advanced during the
// export, so the frames carry no contact segments or rotation marks; grain
// selection keeps the marks of the start.
ViewOptions exportFrameOptions(const ViewOptions& chosen);

class AnimationExport {
public:
    // Messages go to the session's log, the check-point question to its prompter.
    AnimationExport(ViewerSession& session, FrameSink& frames, ExportPlatform platform, ExportSettings settings);

    // m31, with nskip step blocks skipped between frames. Runs to completion; the
    // output stream is then at its end (or at the block that failed).
    ExportOutcome run(int nskip);

    int frameCounter() const { return frameCounter_; }
    // The folder of the frames and the animation, once chosen (without a trailing "/").
    const std::string& exportFolder() const { return folder_; }

private:
    std::string inFolder(const std::string& name) const;
    static std::string frameName(int frame) { return "temp-" + std::to_string(frame) + ".gif"; }
    // A frame being converted into GIF bytes beside the drawing of the next one.
    struct PendingFrame {
        std::string path;
        std::vector<uint32_t> pixels;  // a copy: the picture is drawn over meanwhile
        FramePixels picture;
        std::future<std::optional<std::string>> gif;
    };
    // Starts converting the picture into the next frame file, after writing the frame
    // converted before it (writePending); false when that one could not be written.
    bool stageFrame();
    // Writes the frame converted last under a temporary name kept until commitFrames;
    // false (logged, naming the file and the reason) when it cannot be.
    bool writePending();
    // Gives the staged frames their names, in frame order.
    bool commitFrames();
    void drawFrame();
    ExportOutcome finish();
    // "flikkor --make" on the frames, run to its end (the runner's route).
    ExportOutcome assembleByCommand();
    // tempanim.gif in the export folder, as a full path.
    std::string animationPath() const;
    ExportOutcome checkAnimation(const std::string& path);
    // Why the animation is not the frames of this export, image by image; empty when it is.
    std::string animationProblem(const std::string& path) const;

    ViewerSession& session_;
    FrameSink& frames_;
    MessageLog& log_;
    ExportPlatform platform_;
    ExportSettings settings_;
    FramePixels picture_;  // the last frame drawn
    int frameCounter_ = 100;
    std::string folder_;
    std::vector<std::unique_ptr<toolkit::StagedFile>> stagedFrames_;
    std::unique_ptr<PendingFrame> pending_;
};

}  // namespace sorvath
