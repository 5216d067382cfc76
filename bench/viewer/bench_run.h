// A lattice run for Sorvath's benchmarks: written into a folder of its own as demrun
// writes runs (tests/viewer/support/result_run_writer.h) and opened in a viewer session
// for a square picture, with the wall file mounted, colour on and the contact lines
// drawn, as a user would watch a settled bed.
#pragma once

#include "tests/viewer/support/picture_window.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/viewer_session.h"
#include "viewer/draw/scene_picture.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace sorvath::testing {

class BenchRun {
public:
    BenchRun(int particles, int steps, int pictureSize, int nv = 20, int contactSteps = -1)
        : files_(writeLatticeRunFiles(folder_.path(), "out-0001.dat", particles, steps, nv, contactSteps)),
          session_(window_, window_, pictureSize, pictureSize),
          picture_(pictureSize, pictureSize) {
        window_.path = files_.output.string();
        window_.answer = true;  // mount the wall file
        session_.options().colour = true;
        session_.options().contactDisplay = ContactDisplay::DrawLines;
    }

    // Opens the run (to its first picture, drawn); false when it does not open.
    bool open() { return session_.openOutput().succeeded && (draw(), true); }
    // The run's picture with the session's view and switches, as the window draws it.
    void draw() {
        picture_.scale() = session_.transform().scale();
        picture_.clear();
        picture_.drawscene(session_.scene(), session_.options());
    }

    ViewerSession& session() { return session_; }
    ScenePicture& picture() { return picture_; }
    PictureWindow& window() { return window_; }
    const LargeRunFiles& files() const { return files_; }
    const TempFolder& folder() const { return folder_; }

private:
    TempFolder folder_;
    LargeRunFiles files_;
    PictureWindow window_;
    ViewerSession session_;
    ScenePicture picture_;
};

}  // namespace sorvath::testing
