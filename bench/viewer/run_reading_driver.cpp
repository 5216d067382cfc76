// Sorvath's readers on a whole converted run, without a window: opens FOLDER/output.dat
// with the wall file mounted and contacts drawn as lines (so the contact files are read
// too), steps to the end, and prints the seconds of the opening and of the stepping.
// bench/bridge/road-scaling runs it on the runs of its roads. Exit status 1 when the run
// does not open or a step is not read with both companions.
#include "tests/viewer/support/picture_window.h"
#include "viewer/core/result_reader.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: viewer_run_reading FOLDER\n");
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    const auto seconds = [](Clock::time_point from) {
        return std::chrono::duration<double>(Clock::now() - from).count();
    };
    const std::filesystem::path folder = argv[1];
    sorvath::Scene scene;
    sorvath::ViewOptions options;
    options.contactDisplay = sorvath::ContactDisplay::DrawLines;
    sorvath::testing::PictureWindow window;  // answers yes: the wall file is mounted
    window.path = (folder / "output.dat").string();
    window.answer = true;
    sorvath::ViewerState shown;
    sorvath::ResultReader reader(scene, options, window, window, shown);
    auto start = Clock::now();
    if (!reader.openOutputFile() || !scene.movewall) {
        std::fprintf(stderr, "viewer_run_reading: %s does not open with its wall file\n", window.path.c_str());
        return 1;
    }
    const double opening = seconds(start);
    long steps = 3;  // the opening reads three step blocks
    start = Clock::now();
    while (!reader.outputAtEnd()) {
        if (reader.outdraw() != sorvath::OutdrawResult::Read) break;
        ++steps;
    }
    const double stepping = seconds(start);
    if (!reader.outputAtEnd() || !scene.movewall || options.contactDisplay != sorvath::ContactDisplay::DrawLines) {
        std::fprintf(stderr, "viewer_run_reading: step %ld of %s is not read with its companions\n", steps + 1,
                     window.path.c_str());
        return 1;
    }
    std::uintmax_t bytes = 0;
    for (const char* name : {"output.dat", "wllout.dat", "cont2.dat", "cont.dat"})
        bytes += std::filesystem::file_size(folder / name);
    std::printf("%d particles, %ld step blocks, %.1f MB: opened in %.3f s, all steps read in %.3f s\n", scene.nop,
                steps, static_cast<double>(bytes) / 1e6, opening, opening + stepping);
    return 0;
}
