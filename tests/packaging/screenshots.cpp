// The metainfo's screenshots, taken on a private Xvfb server: Sorvath showing the
// example run in examples/viewer (lid file mounted, grains coloured by rotation,
// contact forces drawn), and Flikkor holding frames drawn from that run in its grid.
// Usage: screenshots FOLDER  (writes sorvath.png and flikkor.png there). With
// --compare STORED it also checks that the pictures have the stored ones' sizes,
// which the metainfo names.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "form_harness.h"
#include "tests/viewer/platform/xvfb_display.h"
#include "tests/viewer/window/window_bench.h"
#include "viewer/platform/gif_frame_writer.h"

namespace fs = std::filesystem;

namespace {

void settle() {
    for (int k = 0; k < 20; ++k) QApplication::processEvents();
}

bool save(QWidget& window, const fs::path& file) {
    window.show();
    settle();
    const bool saved = window.grab().save(QString::fromStdString(file.string()), "PNG");
    if (!saved) std::fprintf(stderr, "screenshots: cannot write %s\n", file.c_str());
    return saved;
}

// Sorvath over a copy of the example run; the frames it shows on the way go into `frames`.
bool shootSorvath(const fs::path& folder, const fs::path& frames) {
    sorvath::testing::WindowBench bench;
    const fs::path run = bench.folder.path() / "example";
    fs::create_directories(run);
    for (const char* file : {"output.dat", "wllout.dat", "cont2.dat", "cont.dat"})
        fs::copy_file(fs::path(TOOLKIT_SOURCE_DIR "/examples/viewer") / file, run / file);
    bench.dialogs->paths.push_back((run / "output.dat").string());
    bench.dialogs->answers.push_back(true);  // mount wllout.dat
    bench.action("m12")->trigger();
    bench.click("Command22");                         // colour by rotation
    bench.control<QRadioButton>("Option2")->click();  // contact forces as lines
    sorvath::GifFrameConverter converter;
    for (int frame = 101; frame <= 112; ++frame) {
        bench.click("Command11");  // step by step
        const fs::path gif = frames / ("temp-" + std::to_string(frame) + ".gif");
        const std::optional<std::string> bytes = converter.convert(sorvath::framePixels(bench.form->picture().image()));
        if (!bytes) return false;
        std::ofstream(gif, std::ios::binary) << *bytes;
    }
    return save(*bench.form, folder / "sorvath.png");
}

// Flikkor started in the folder of the frames, which its file list shows, with the
// frames added to the grid; widened so that every column of the grid shows.
bool shootFlikkor(flikkor::testing::FormHarness& harness, const fs::path& folder, const fs::path& frames) {
    QDir::setCurrent(harness.dir.path());  // the viewer's window moved it to the run's folder
    harness.open();
    for (int frame = 101; frame <= 112; ++frame)
        harness.form->addPath(QString::fromStdString((frames / ("temp-" + std::to_string(frame) + ".gif")).string()));
    harness.form->selectGridRows(3, 3);
    harness.form->resize(760, 440);
    return save(*harness.form, folder / "flikkor.png");
}

int takeScreenshots(int argc, char** argv, const sorvath::testing::XvfbDisplay& display) {
    setenv("DISPLAY", display.name().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication application(argc, argv);
    const fs::path folder = argv[1];
    fs::create_directories(folder);
    flikkor::testing::FormHarness harness;  // Flikkor's start folder: where the frames go
    const fs::path frames = harness.dir.path().toStdString();
    if (!shootSorvath(folder, frames) || !shootFlikkor(harness, folder, frames)) return 1;
    if (argc == 2) return 0;
    for (const char* name : {"sorvath.png", "flikkor.png"}) {
        const QImage made(QString::fromStdString((folder / name).string()));
        const QImage stored(QString::fromStdString((fs::path(argv[3]) / name).string()));
        if (made.size() != stored.size()) {
            std::fprintf(stderr, "screenshots: %s is %dx%d, the stored one %dx%d (run scripts/screenshots)\n", name,
                         made.width(), made.height(), stored.width(), stored.height());
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--compare")) {
        std::fprintf(stderr, "usage: screenshots FOLDER [--compare STORED]\n");
        return 2;
    }
    sorvath::testing::XvfbDisplay display;
    if (display.name().empty()) {
        std::fprintf(stderr, "screenshots: no Xvfb server\n");
        return 1;
    }
    // Any failure ends here, so that the server is stopped on the way out.
    try {
        return takeScreenshots(argc, argv, display);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "screenshots: %s\n", error.what());
        return 1;
    }
}
