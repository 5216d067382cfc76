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
    std::size_t dumpBytes = 0;  // dump text read
};

// Converts the dumps in folder; throws InputError (bad or truncated input) or
// std::runtime_error (write failure). Nothing is left under the final names on failure.
ConversionSummary convertRun(const std::string& folder);

}  // namespace bridge
