// One real GIF export for bench/viewer/export-timing and bench/viewer/batch-export:
// writes a synthetic run (FOLDER/run/out-0007.dat) of 100 particles, or PARTICLES, with
// the given number of frames, exports it into "animation/" beside the run with flikkor
// from a fresh program folder, on the X display of DISPLAY, and prints the seconds from
// the "Yes" to the check-point question until flikkor has ended and the animation is
// checked. With "lines" the run has its contact files and "draw lines" is on.
//
//   viewer_export_timing_driver FOLDER FRAMES SETTLE_MS FLIKKOR [PARTICLES [lines]]
//
// SETTLE_MS is the fixed pause after every key string (250 was the old pacing, 0 leaves
// the pacing to flikkor's windows). The message log goes to standard error.
#include "tests/viewer/support/picture_window.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/viewer_session.h"
#include "viewer/draw/scene_picture.h"
#include "viewer/export/animation_export.h"
#include "viewer/platform/gif_frame_writer.h"
#include "viewer/platform/x11_session.h"
#include "viewer/window/session_picture.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace sorvath {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The window's part: the log on standard error with the seconds since the "Yes" to
// the check-point question, so the phases can be told apart; No to the wall file on
// opening, Yes (noting when) afterwards.
class BenchWindow : public testing::PictureWindow {
public:
    bool opening = true;
    Clock::time_point yes{};
    void showmsg(const std::string& text) override {
        const double since =
            yes == Clock::time_point{} ? 0.0 : std::chrono::duration<double>(Clock::now() - yes).count();
        std::fprintf(stderr, "  %7.2f s  %s\n", since, text.c_str());
    }
    bool askYesNo(const std::string&) override {
        if (opening) return false;
        yes = Clock::now();
        return true;
    }
};

int run(const fs::path& folder, int frames, int settleMs, const fs::path& flikkor, int particles, bool lines) {
    const fs::path runFolder = folder / "run";
    const fs::path program = folder / "program";
    const fs::path config = folder / "config";
    fs::create_directories(runFolder);
    fs::create_directories(program / "AnimTmp");
    fs::create_directories(config / "Quillbay");
    fs::create_symlink(fs::absolute(flikkor), program / "flikkor");
    // flikkor's own folders are the program folder; the export tells it where to look.
    testing::writeTextFile(config / "Quillbay" / "Flikkor.conf",
                           "[General]\nVersion=0.68\nReadDir=" + program.string() + "\nWriteDir=" + program.string() +
                               "\nWorkDir=" + (program / "AnimTmp").string() + "\nComment=\nPaintSoft=\nViewer=\n");
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    // Three blocks are read on opening; every further block is one frame.
    testing::writeRun(runFolder, "out-0007.dat", testing::latticeRun(particles, frames + 3),
                      testing::RecordLayout::Long, false, lines);

    ScenePicture picture;
    BenchWindow window;
    window.path = (runFolder / "out-0007.dat").string();
    ViewerSession session(window, window, picture.W0(), picture.H0());
    if (lines) session.options().contactDisplay = ContactDisplay::DrawLines;
    if (!session.openOutput().succeeded) return 2;
    window.opening = false;

    std::unique_ptr<X11Session> x11 = X11Session::open();
    if (!x11) {
        std::cerr << "no X display with XTest in DISPLAY\n";
        return 2;
    }
    GifFrameConverter converter;
    ProcessLauncher launcher;
    ExportPlatform platform{converter, launcher, &x11->keySender(), &x11->windowActivator()};
    ExportSettings settings;
    settings.programFolder = program.string() + "/";
    settings.viewerCaption = "Sorvath";
    settings.keySettleMs = settleMs;
    PictureFrameSink frameSink(picture);
    AnimationExport exporter(session, frameSink, platform, settings);
    const ExportOutcome outcome = exporter.run(0);
    const double seconds = std::chrono::duration<double>(Clock::now() - window.yes).count();
    if (outcome != ExportOutcome::AnimationMade) {
        std::cerr << "the export did not make the animation\n";
        return 1;
    }
    std::printf("%.2f\n", seconds);
    return 0;
}

}  // namespace
}  // namespace sorvath

int main(int argc, char** argv) {
    if (argc < 5 || argc > 7 || (argc == 7 && std::string(argv[6]) != "lines")) {
        std::cerr << "usage: viewer_export_timing_driver FOLDER FRAMES SETTLE_MS FLIKKOR [PARTICLES [lines]]\n";
        return 2;
    }
    return sorvath::run(argv[1], std::atoi(argv[2]), std::atoi(argv[3]), argv[4], argc > 5 ? std::atoi(argv[5]) : 100,
                        argc == 7);
}
