// Turning the LAMMPS dumps of a run folder into the viewer's run: "output.dat",
// "wllout.dat", "cont2.dat" and "cont.dat". One step block per dump; the wall and
// contact blocks start at the third step block, where the viewer starts reading them.
//
// Orientation: a free disc's angle is the angle of its dipole, atan2(muy, mux), which the
// integrator turns with the disc; a clump's is the rotation of its discs from their
// places in its own frame (clumpPose). Either gives the angle up to whole turns: the turn
// is the one nearest to the previous angle plus the mean angular velocity over the
// interval (fix ave/atom of omegaz) times its length. The first dump holds the packing's
// angles.
//
// Contacts: particle pairs first, then particle-wall contacts with jp = 0, summed from
// the disc contacts (contact_records.h). The normal force is written negative for
// compression, so the viewer, which inverts it, shows it positive; the magnitude of the
// tangential force is the record's last column. The angle is the centre line's direction
// minus pi/2, so the segment the viewer draws along ang + pi/2 follows the centre line.
//
// Only a finished run of the prepared packing is converted: not while demrun run is
// still writing the dumps, not when the dumps carry another preparation's stamp or
// another particle count, and not when fewer dumps exist than the setup promised (unless
// partially, up to the last whole dump). The conversion also checks the run: particles
// outside the walls and overlaps beyond the setup's impact_overlap. The
// four files are all finished before the first is renamed (see run_markers.h for the
// marker that stays behind when a kill comes between the renames).
#pragma once

#include "bridge/packing_input.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace demrun {

inline constexpr const char* kOutputFile = "output.dat";
inline constexpr const char* kWallFile = "wllout.dat";
inline constexpr const char* kContactHeaderFile = "cont2.dat";
inline constexpr const char* kContactRecordFile = "cont.dat";

struct ConversionSummary {
    long stepBlocks = 0;
    long promisedDumps = 0;  // the dumps the setup promised (more than stepBlocks for --partial)
    long particles = 0;
    std::size_t dumpBytes = 0;           // dump text read
    bool mendsCutOffConversion = false;  // an earlier conversion was killed between its renames
    // The check of the run: particles a disc of which left the walls' rectangle (with the
    // first step), and particles that overlapped a neighbour or a wall by more than
    // overlapLimit of a disc radius (with the largest fraction).
    double overlapLimit = 0.0;
    std::vector<std::pair<int, long>> outside;
    std::vector<std::pair<int, double>> overlapping;
    // The last dump: the particles' poses, the contact forces on each particle (pairs and
    // walls summed from the records), each wall fix's force on the particles (sides,
    // bottom, lid), and the particles' masses.
    std::vector<ParticlePose> lastPoses;
    std::vector<Point> contactForces;
    std::vector<Point> wallForces;
    std::vector<double> masses;
    double gravity = 0.0;
    std::vector<double> worstOverlap;  // per particle, over the whole run, per disc radius
};

enum class ConversionMode {
    Complete,  // a finished run only
    Partial,   // also a run that did not complete, up to its last whole dump
    Check,     // writes nothing, refuses nothing: only the check of the run (demrun run at its end)
};

// Converts the dumps in folder; throws InputError (bad, stale or truncated input, a run
// still running) or OutputError (a file that cannot be written). On failure the files
// under the final names are the old ones and no temporary file is left.
ConversionSummary convertRun(const std::string& folder, ConversionMode mode = ConversionMode::Complete);

// The check's findings as warning lines naming the particles; none when all is well.
std::vector<std::string> checkWarnings(const ConversionSummary& summary);

}  // namespace demrun
