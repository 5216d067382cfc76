// The LAMMPS side of a run: the data file (particles as granular discs, or every
// particle as a rounded-polygon body when the packing holds polygons) and the input
// script (2D, walls, gravity, the moving lid, dumps, progress lines).
#pragma once

#include "bridge/packing_input.h"
#include "bridge/run_parameters.h"

#include <string>

namespace bridge {

// The most vertices a simulated body gets. A denser outline (an ellipse's 100 points)
// is sampled at this many points: LAMMPS's rounded-polygon contact fails when many
// vertices of one body lie near an edge of another.
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
std::string lammpsScriptText(const Packing& packing, const RunParameters& parameters);

// Body-frame vertices of a polygon body: its outline points (at most kMaxBodyVertices of
// them) pulled towards the centre by the rounded radius, so the rounded outline stays
// inside the drawn one.
std::vector<Point> bodyVertices(const PackedParticle& particle, double roundedRadius);
double roundedRadius(const PackedParticle& particle, const RunParameters& parameters);

}  // namespace bridge
