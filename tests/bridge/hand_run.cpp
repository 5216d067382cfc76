#include "tests/bridge/hand_run.h"

#include "tests/bridge/box_run_setup.h"

#include "bridge/lammps_input.h"
#include "bridge/run_markers.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace demrun::testing {

namespace {

void write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string n(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

}  // namespace

std::string HandRun::particleDump() {
    const std::string bounds = "-1 5\n-1 5\n-0.5 0.5\n";
    std::string text;
    for (int k = 0; k < 4; ++k) {
        text += particleDumpHead(k * kDumpEvery, 3, bounds);
        const std::string none = " 0 0 0 0 0";
        // Rows out of id order, as several ranks may write them.
        const std::string wall = " 1 " + n(kWallTangential) + " " + n(kWallForce[k]) + " 2 0";
        text += "3 2 0.25 1 0 0 1 0.25" + none + (k == 0 ? none : wall) + none + "\n";
        text += "1 1 2 " + n(std::cos(kAngle1[k])) + " " + n(std::sin(kAngle1[k])) + " " + n(kSpin1[k]) + " 1 0.5" +
                none + none + none + "\n";
        text += "2 2 2 1 0 0 1 0.5" + none + none + none + "\n";
    }
    return text;
}

std::string HandRun::pairDump() {
    std::string text;
    for (int k = 0; k < 4; ++k) {
        const bool touching = k > 0;
        text += pairDumpHead(k * kDumpEvery, touching ? 1 : 0, "-1 5\n-1 5\n-0.5 0.5\n");
        // Disc 2 on disc 1: the tangential force on disc 2 points down.
        if (touching)
            text += "2 1 " + n(kPairForce[k]) + " 0 " + n(-kPairTangential[k]) + " " + n(kPairTangential[k]) + " 1 0\n";
    }
    return text;
}

HandRun::HandRun(const std::filesystem::path& dir) : folder(dir) {
    // Old layout: discs by radius; walls left, bottom, right, top of a 4 x 4 box.
    write(folder / kPackingCopy,
          " 0\n 3 4 2e-6 0\n 0.5\n 1 2 0.1\n 1 2 0.1\n 0.5\n 2 2 0\n 2 2 0\n 0.25\n 2 0.25 0\n 2 0.25 0\n"
          " 0 4 0 0\n 0 0 4 0\n 4 0 4 4\n 4 4 0 4\n 400\n 0.025 9800\n 0.5 0.5 0\n 0 9.6e8 2.4e8\n 2000 1000\n");
    RunParameters r = boxRunParameters(1000.0, 4, 4);
    r.density = 1.0;
    r.dampingRate = 1.0;
    r.contactTime = 0.2;
    r.dt = kTimeStep;
    r.steps = 3 * kDumpEvery;
    r.dumpEvery = kDumpEvery;
    r.lidSpeed = 0.5;
    r.runStamp = kRunStamp;
    write(folder / kSetupFile, setupText(r));
    write(folder / kStampFile, std::string("run_stamp = ") + kRunStamp + "\n");
    write(folder / kParticleDump, particleDump());
    write(folder / kPairDump, pairDump());
}

std::map<std::string, std::string> folderState(const std::filesystem::path& folder) {
    std::map<std::string, std::string> state;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string& text = state[entry.path().filename().string()];
        text = std::to_string(static_cast<int>(entry.symlink_status().permissions())) + " ";
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return state;
}

long endedProcessId() {
    const pid_t child = ::fork();
    if (child == 0) _exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return static_cast<long>(child);
}

}  // namespace demrun::testing
