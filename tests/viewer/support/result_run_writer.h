// Writes simulator result runs for the viewer's tests, fuzz seeds, benchmarks and
// examples: input files, output files and the three companion files, in the long,
// short and old layouts, with any line breaking and separators, through the run files'
// own writer (runfiles/run_file_writer.h) with the shortest exact numbers.
#pragma once

#include "runfiles/run_file_writer.h"
#include "viewer/core/scene.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sorvath::testing {

using runfiles::LineBreaking;
using runfiles::RecordLayout;

struct TextFormat {
    LineBreaking lines = LineBreaking::RecordPerLine;
    std::string separator = " ";  // between fields of a line, e.g. ", "
};

using Shape = runfiles::ParticleShape;
using ContactRecord = runfiles::Contact;  // fn as written: the reader inverts the sign

struct Step {
    int32_t iloop = 0;
    std::vector<Pose> poses;              // one per particle
    std::vector<Wall> walls;              // wall-file positions (empty: the run's walls)
    std::vector<ContactRecord> contacts;  // particle-particle records first
    int ncont = -1;                       // -1: every record is particle-particle
};

struct ResultRun {
    std::vector<Shape> shapes;
    std::vector<Wall> walls;
    double dt = 1.0e-6;
    double perw = 0.0;
    double perv = 0.0;
    double nloop = 1000.0;
    std::vector<Step> steps;
};

// Input file of steps[0] (first pose) and steps[1] (second pose; steps[0] when absent).
std::string inputFileText(const ResultRun& run, RecordLayout layout, const TextFormat& format = {});
std::string outputFileText(const ResultRun& run, RecordLayout layout, const TextFormat& format = {});
// Companion files hold the steps from the third output block on: the viewer reads
// the first two blocks alone and the companions along with the third.
std::string wallFileText(const ResultRun& run, const TextFormat& format = {});
std::string contactHeaderFileText(const ResultRun& run, const TextFormat& format = {});
std::string contactRecordFileText(const ResultRun& run, const TextFormat& format = {});

struct CompanionNames {
    std::string wall;
    std::string contactRecords;
    std::string contactHeaders;
};
// The names a run's companions carry next to an output file of this name.
CompanionNames companionNamesFor(const std::string& outputName);

void writeTextFile(const std::filesystem::path& path, const std::string& text);

// Writes the output file and (when asked) its companions into folder; returns the output path.
std::filesystem::path writeRun(const std::filesystem::path& folder, const std::string& outputName, const ResultRun& run,
                               RecordLayout layout, bool withWalls, bool withContacts, const TextFormat& format = {});

// A square lattice of particles inside four walls, turning a little every step,
// with contacts between horizontal neighbours.
ResultRun latticeRun(int particles, int steps, int nv = 20);

// A run written straight to its files step by step, never held whole in memory, as
// demrun writes runs (one record a line, ten significant digits): particles on a square
// lattice inside four walls, the lid moving down a little every step (wall file), every
// particle moving and turning a little every step (clockwise, unchanged and
// counter-clockwise in turn), and contacts with the right neighbour, with the upper
// one for seven particles in ten (about 1.7 records a particle, as in a settled bed)
// and of the bottom row with the floor. Contact blocks are written for the first
// contactSteps companion blocks only (all of them when negative): a run that is only
// exported needs them for its opening alone. Returns the output file's path.
struct LargeRunFiles {
    std::filesystem::path output;
    std::uintmax_t stepBytes = 0;         // output text of one step block (the last)
    std::uintmax_t contactStepBytes = 0;  // contact-record text of one step block (the last written)
    int contactRecords = 0;               // records of one step
};
LargeRunFiles writeLatticeRunFiles(const std::filesystem::path& folder, const std::string& outputName, int particles,
                                   int steps, int nv = 20, int contactSteps = -1);

// One particle above one wall, moved and turned a little in each of four step blocks.
ResultRun fourBlockRun();

// A temporary folder removed with everything in it when the object ends.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace sorvath::testing
