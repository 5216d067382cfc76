// The GIF export wired to a real reader, picture and frame converter, with
// recording stand-ins for the keystrokes, the windows and the program start.
#pragma once

#include "tests/viewer/core/recording_viewer.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/draw/scene_picture.h"
#include "viewer/export/animation_export.h"
#include "viewer/platform/gif_frame_writer.h"

#include <QImage>

#include <set>
#include <string>
#include <vector>

namespace sorvath::test_support {

class RecordingKeySender : public KeySender {
public:
    bool send(const std::string& keys) override {
        sent.push_back(keys);
        return true;
    }
    std::vector<std::string> sent;
};

class FakeWindows : public WindowActivator {
public:
    bool waitForWindow(const std::string& caption, int) override { return shown.count(caption) > 0; }
    bool activate(const std::string& caption) override {
        activated.push_back(caption);
        return shown.count(caption) > 0;
    }
    std::set<std::string> shown;
    std::vector<std::string> activated;
};

class RecordingLauncher : public Launcher {
public:
    explicit RecordingLauncher(FakeWindows& windows) : windows_(windows) {}
    bool startDetached(const LaunchRequest& request) override {
        requests.push_back(request);
        if (starts && opensWindow) windows_.shown.insert("Reelwright");
        return starts;
    }
    bool starts = true;
    bool opensWindow = true;
    std::vector<LaunchRequest> requests;

private:
    FakeWindows& windows_;
};

// The window's picture: the reader's display calls draw into a real picture.
class PictureDisplay : public testing::RecordingDisplay {
public:
    PictureDisplay(ScenePicture& picture, Scene& scene, ViewOptions& options)
        : picture_(picture), scene_(scene), options_(options) {}
    void setscale() override {
        RecordingDisplay::setscale();
        picture_.setscale(scene_);
    }
    void clearPicture() override {
        RecordingDisplay::clearPicture();
        picture_.clear();
    }
    void drawscene() override {
        RecordingDisplay::drawscene();
        picture_.drawscene(scene_, options_);
    }

private:
    ScenePicture& picture_;
    Scene& scene_;
    ViewOptions& options_;
};

// A loaded output run, ready to export into its own program folder.
struct ExportRig {
    testdata::TempFolder runFolder;
    testdata::TempFolder programFolder;
    Scene scene;
    ViewOptions options;
    testing::RecordingLog log;
    testing::ScriptedPrompter prompter;
    ScenePicture picture{200, 200};
    PictureDisplay display{picture, scene, options};
    ResultReader reader{scene, options, log, prompter, display};
    GifFrameConverter converter;
    FakeWindows windows;
    RecordingLauncher launcher{windows};
    RecordingKeySender keys;
    ExportSettings settings;

    ExportRig(const testdata::ResultRun& run, bool walls = false, ContactDisplay contacts = ContactDisplay::No);

    // The output file's path (its companions lie next to it).
    std::string outputPath() const { return runFolder.file("out-0007.dat"); }
    ExportOutcome exportAnswering(bool yes, int nskip = 0, bool withDisplay = true);
    // The temp- GIF files in the program folder, by name.
    std::vector<std::string> frameFiles() const;
};

// The picture of the run's step block (1-based) as the viewer draws it after
// opening the run and stepping to that block.
QImage pictureOfBlock(const testdata::ResultRun& run, int block, int size = 200);

// The pixels of a GIF file's first image, or a null image when it does not decode.
QImage decodeGif(const std::string& path);

}  // namespace sorvath::test_support
