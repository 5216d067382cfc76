// The GIF export wired to a real viewer session, picture and frame converter, with
// recording stand-ins for the keystrokes, the windows and the program start.
#pragma once

#include "tests/viewer/core/recording_viewer.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/viewer_session.h"
#include "viewer/draw/scene_picture.h"
#include "viewer/export/animation_export.h"
#include "viewer/platform/gif_frame_writer.h"
#include "viewer/window/session_picture.h"

#include <QImage>

#include <chrono>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace sorvath::testing {

// The display, the program start and a stand-in flikkor that answers the export's
// keys as the real one does: its window appears without the focus, the make button
// opens the save dialog (an error box when no file was added), the file name and
// Enter close it and write the animation of the selected frames, Alt+F4 asks the
// close question, and Enter on that ends the program.
class FakeDesktop : public KeySender, public WindowActivator, public Launcher {
public:
    struct Window {
        WindowId id = 0;
        ProcessId process = 0;
        std::string caption;
        bool shown = true;
    };
    struct Received {
        WindowId window = 0;  // the focused window the string reached
        std::string keys;
    };

    static constexpr ProcessId kViewer = 10;
    static constexpr ProcessId kFlikkor = 4242;
    static constexpr WindowId kViewerWindow = 1;
    static constexpr WindowId kMainWindow = 100;
    static constexpr WindowId kDialogWindow = 101;

    FakeDesktop();

    // KeySender
    bool send(const std::string& keys) override;
    // WindowActivator
    bool activate(const std::string& caption) override;
    std::vector<WindowId> windowsOfProcess(ProcessId process) override;
    void requestFocus(WindowId window) override;
    WindowInfo focusedWindow() override;
    bool isShown(WindowId window) override;
    // Launcher
    ProcessId startDetached(const LaunchRequest& request) override;
    bool isRunning(ProcessId process) override { return process == kFlikkor && flikkorRunning; }

    Window* find(WindowId id);
    WindowId addWindow(ProcessId process, const std::string& caption);
    // The strings that reached windows of the stand-in flikkor, in order.
    std::vector<std::string> sentToFlikkor() const;

    // How the stand-in flikkor behaves.
    bool starts = true;
    bool opensWindow = true;
    bool opensSaveDialog = true;
    bool writesAnimation = true;
    // Lays out the frame files that become the animation's images (in frame order unless changed).
    std::function<void(std::vector<std::string>& frameFiles)> arrange;
    // Called after every string (the test may move the focus, as a user would).
    std::function<void(size_t sentSoFar)> afterSend;

    std::vector<Window> windows;
    WindowId focus = kViewerWindow;
    bool flikkorRunning = false;
    std::vector<Received> received;
    std::vector<std::string> activated;  // captions
    std::vector<WindowId> focusRequests;
    std::vector<LaunchRequest> requests;
    std::string typedPath;

private:
    void react(const std::string& keys);
    int enters_ = 0;
    int shiftDowns_ = 0;
    WindowId nextId_ = 200;
};

// Writes an animation whose images hold the rasters of these GIF files, as flikkor copies them.
void writeAnimationOf(const std::string& path, const std::vector<std::string>& frameFiles);

// The window's part of the export: the frames and the restart drawn into a real
// picture as the window draws them, counting the drawings and keeping the step shown.
class PictureDisplay : public FrameSink {
public:
    PictureDisplay(ScenePicture& picture, ViewerSession& session) : picture_(picture), session_(session) {}
    FramePixels drawFrame(ViewerSession& session, const ViewOptions& options, int index) override {
        ++draws;
        return frames_.drawFrame(session, options, index);
    }
    void shown(const ViewerState& state) override {
        showSessionPicture(picture_, session_, state);
        if (state.picture == PictureChange::Redrawn) ++draws;
        stepNumber = state.step ? std::to_string(*state.step) : std::string();
    }
    int count(const std::string& call) const { return call == "drawscene" ? draws : 0; }
    int draws = 0;
    std::string stepNumber;

private:
    ScenePicture& picture_;
    ViewerSession& session_;
    PictureFrameSink frames_{picture_};
};

// A loaded output run, ready to export into "animation/" beside it, with flikkor in
// a program folder of its own and a cache folder to fall back on.
struct ExportRig {
    testing::TempFolder runFolder;
    testing::TempFolder programFolder;
    testing::TempFolder cacheFolder;
    std::filesystem::path runPath;  // the folder of the run's files
    testing::RecordingLog log;
    testing::ScriptedPrompter prompter;
    ScenePicture picture;  // pictureSide x pictureSide
    ViewerSession session{log, prompter, picture.W0(), picture.H0()};
    Scene& scene = session.scene();
    ViewOptions& options = session.options();
    PictureDisplay display{picture, session};
    GifFrameConverter converter;
    FakeDesktop desktop;
    ExportSettings settings;
    int pauses = 0;  // calls of the export's pause: the viewer's events ran
    std::vector<std::chrono::milliseconds> pauseTimes;

    // The run is written into runFolder, or into a folder of this name inside it.
    ExportRig(const testing::ResultRun& run, bool walls = false, ContactDisplay contacts = ContactDisplay::No,
              const std::string& subfolder = {}, int pictureSide = 200);

    // The output file's path (its companions lie next to it).
    std::string outputPath() const { return (runPath / "out-0007.dat").string(); }
    ExportOutcome exportAnswering(bool yes, int nskip = 0, bool withDisplay = true);
    // The export folder of a writable run folder.
    std::filesystem::path exportFolder() const { return runPath / "animation"; }
    std::string exportFile(const std::string& name) const { return (exportFolder() / name).string(); }
    // The animation's full path in the export folder.
    std::string animationPath() const { return exportFile("tempanim.gif"); }
    // The temp- GIF files in the export folder, by name.
    std::vector<std::string> frameFiles() const;
    // Every name in the export folder (hidden ones too) with its bytes; "<folder>" for a folder.
    std::map<std::string, std::string> exportFolderContents() const;
};

// The picture of the run's step block (1-based) as the viewer draws it after
// opening the run and stepping to that block.
QImage pictureOfBlock(const testing::ResultRun& run, int block, int size = 200);

// The pixels of a GIF file's first image, or a null image when it does not decode.
QImage decodeGif(const std::string& path);

}  // namespace sorvath::testing
