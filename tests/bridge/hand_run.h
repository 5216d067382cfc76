// A run folder written by hand: a packing of three discs, its setup and LAMMPS dumps
// of four steps, small enough that every converted value can be worked out in the test.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace demrun::testing {

// Discs 1 and 2 (radius 0.5) touch side by side, disc 3 (radius 0.25) sits on the bottom
// wall; 4 dumps 100 steps apart with dt = 0.01 s, written by a run of this preparation.
struct HandRun {
    explicit HandRun(const std::filesystem::path& folder);
    // The particle dump text of all four steps, and the pair dump text.
    static std::string particleDump();
    static std::string pairDump();
    std::filesystem::path folder;
};

// Disc 1's angle at the four dumps (its dipole is dumped) and its mean angular velocity
// over the interval before each: the turn from 2.1 to 6.1 is more than half a turn, so
// only the spin tells it from a turn back by 2.18. Then the pair force of each dump, its
// tangential part, and the bottom wall's normal and tangential force on disc 3.
inline constexpr double kAngle1[4] = {0.1, 2.1, 6.1, 5.1};
inline constexpr double kSpin1[4] = {0.0, 2.0, 4.0, -1.0};
inline constexpr double kPairForce[4] = {0.0, 10.0, 12.0, 14.0};
inline constexpr double kPairTangential[4] = {0.0, 4.0, 5.0, 6.0};
inline constexpr double kWallForce[4] = {0.0, 3.0, 5.0, 7.0};
inline constexpr double kWallTangential = 1.5;
inline constexpr double kTimeStep = 0.01;
inline constexpr long kDumpEvery = 100;
// The stamp of the preparation, in the setup and in the run's copy.
inline constexpr const char* kRunStamp = "hand-run";

// Every file of a folder with its permissions and bytes, to show that a refused
// command changed nothing.
std::map<std::string, std::string> folderState(const std::filesystem::path& folder);

// The id of a process that has ended (a child that exited at once and was reaped).
long endedProcessId();

}  // namespace demrun::testing
