// The LAMMPS side of a run: the data file (granular discs; polygons and ellipses as rigid
// clumps of granular discs, see clump_shapes.h) and the input script (2D, walls, gravity,
// the moving lid, dumps, progress lines). Atoms are numbered particle by particle, in the
// order of packingClumps.
#pragma once

#include "bridge/clump_shapes.h"
#include "bridge/packing_input.h"
#include "bridge/run_parameters.h"

#include <string>

namespace demrun {

// The most corners a clump's outline gets. A denser outline (an ellipse's 100 points) is
// sampled at this many points; discs along the edges fill the rest.
inline constexpr int kMaxBodyVertices = 24;

// File names inside a run folder.
inline constexpr const char* kDataFile = "packing.data";
inline constexpr const char* kScriptFile = "in.demrun";
inline constexpr const char* kSetupFile = "demrun.setup";
inline constexpr const char* kPackingCopy = "newin.dat";
inline constexpr const char* kParticleDump = "dump.particles";
inline constexpr const char* kPairDump = "dump.pairs";
inline constexpr const char* kLogFile = "log.lammps";

std::string lammpsDataText(const Packing& packing, const RunParameters& parameters);
// The most discs a run may have, all clumps together.
inline constexpr std::size_t kMaxRunDiscs = 2000000;

// Every particle's discs, in the particle order of the packing. Throws InputError naming
// the particle whose clump would need too many discs, or when all together would.
std::vector<Clump> packingClumps(const Packing& packing, const RunParameters& parameters);
std::string lammpsScriptText(const Packing& packing, const RunParameters& parameters);

// Corners of a clump in its own frame: its outline points (at most kMaxBodyVertices of
// them) pulled towards the centre by the disc radius, so the rounded outline stays
// inside the drawn one.
std::vector<Point> bodyVertices(const PackedParticle& particle, double roundedRadius);
double roundedRadius(const PackedParticle& particle, const RunParameters& parameters);

}  // namespace demrun
