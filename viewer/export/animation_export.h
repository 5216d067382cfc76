// "Animation GIF making": replays the loaded output run from its start, writes
// every frame as "temp.bmp" and converts it into "temp-" + frame number + ".gif"
// in the program folder, then starts flikkor there and drives it with keystrokes
// to assemble the frames into "tempanim.gif".
#pragma once

#include "viewer/core/result_reader.h"
#include "viewer/core/scene.h"
#include "viewer/core/view_options.h"
#include "viewer/core/viewer_interfaces.h"
#include "viewer/draw/scene_picture.h"
#include "viewer/platform/frame_converter.h"
#include "viewer/platform/key_sender.h"
#include "viewer/platform/launcher.h"
#include "viewer/platform/window_activator.h"

#include <functional>
#include <string>

namespace sorvath {

struct ExportSettings {
    std::string programFolder;  // with or without a trailing "/"
    std::string viewerCaption;  // the viewer's own window caption
    std::string assemblerProgram = "flikkor";
    std::string assemblerCaption = "Reelwright";
    int assemblerWaitMs = 5000;  // how long to wait for the assembler's window
};

// The outside world of the export. Without an X11 display keys and windows are
// null: the frames are still written and the log says so.
struct ExportPlatform {
    FrameConverter& converter;
    Launcher& launcher;
    KeySender* keys = nullptr;
    WindowActivator* windows = nullptr;
};

enum class ExportOutcome {
    Declined,          // the check-point question was not answered Yes
    NotWritable,       // the program folder (or a frame file) could not be written
    WallMismatch,      // the wall file went out of step; ended without the finishing sequence
    FramesOnly,        // frames written; the assembler could not be driven
    AssemblerDriven,   // frames written and the keystroke script sent to the assembler
};

class AnimationExport {
public:
    AnimationExport(Scene& scene, ViewOptions& options, ResultReader& reader, SceneDisplay& display,
                    const ScenePicture& picture, MessageLog& log, ViewerPrompter& prompter, ExportPlatform platform,
                    ExportSettings settings);

    // Called after every drawn frame so the window can show it at once.
    void setFrameShown(std::function<void()> frameShown) { frameShown_ = std::move(frameShown); }

    // m31, with nskip step blocks skipped between frames. Runs to completion; the
    // output stream is then at its end (or at the block that failed).
    ExportOutcome run(int nskip);

    int frameCounter() const { return frameCounter_; }

private:
    std::string inFolder(const std::string& name) const;
    bool folderWritable() const;
    bool saveBitmap();
    // Reads the next step block without touching the contact streams.
    OutdrawResult readStepWithoutContacts();
    void drawFrame();
    ExportOutcome finish();

    Scene& scene_;
    ViewOptions& options_;
    ResultReader& reader_;
    SceneDisplay& display_;
    const ScenePicture& picture_;
    MessageLog& log_;
    ViewerPrompter& prompter_;
    ExportPlatform platform_;
    ExportSettings settings_;
    std::function<void()> frameShown_;
    int frameCounter_ = 100;
};

}  // namespace sorvath
