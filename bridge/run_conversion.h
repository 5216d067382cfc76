// Turning the LAMMPS dumps of a run folder into the viewer's run: "output.dat",
// "wllout.dat", "cont2.dat" and "cont.dat". One step block per dump; the wall and
// contact blocks start at the third step block, where the viewer starts reading them.
//
// Orientation: bodies take the angle of their quaternion, 2 atan2(qz, qw), unwrapped
// so that it moves by less than pi between dumps and starts next to the packing's
// angle. Discs have no orientation in LAMMPS; their angle is integrated from the
// angular velocity at the dumps with the trapezoid rule,
//   theta(k) = theta(k-1) + (omega(k-1) + omega(k)) / 2 * (t(k) - t(k-1)),
// starting from the packing's angle.
//
// Contacts: particle pairs first (from compute pair/local for discs, measured from the
// poses for bodies), then particle-wall contacts with jp = 0. The normal force is
// written negative for compression, so the viewer, which inverts it, shows it positive.
// The contact point is the middle between the two centres (between the centre and the
// wall point for a wall), and the angle is the centre line's direction minus pi/2,
// so the segment the viewer draws along ang + pi/2 joins the two centres.
//
// Only a finished run of the prepared packing is converted: not while demrun run is
// still writing the dumps, not when the dumps carry another preparation's stamp or
// another particle count, and not when fewer dumps exist than the setup promised. The
// four files are all finished before the first is renamed (see run_markers.h for the
// marker that stays behind when a kill comes between the renames).
#pragma once

#include <cstddef>
#include <string>

namespace bridge {

inline constexpr const char* kOutputFile = "output.dat";
inline constexpr const char* kWallFile = "wllout.dat";
inline constexpr const char* kContactHeaderFile = "cont2.dat";
inline constexpr const char* kContactRecordFile = "cont.dat";

struct ConversionSummary {
    long stepBlocks = 0;
    long particles = 0;
    std::size_t dumpBytes = 0;           // dump text read
    bool mendsCutOffConversion = false;  // an earlier conversion was killed between its renames
};

// Converts the dumps in folder; throws InputError (bad, stale or truncated input, a run
// still running) or OutputError (a file that cannot be written). On failure the files
// under the final names are the old ones and no temporary file is left.
ConversionSummary convertRun(const std::string& folder);

}  // namespace bridge
