#pragma once
// One whole run of the packing generator in a folder: read the control file,
// generate and sort the particles, place them, write the three files.
// "temp.dat", "newin.dat" and "OUTD.DAT" are replaced together once all three
// are complete; a run that stops, for whatever reason, leaves all three as
// they were.
#include <filesystem>
#include <istream>
#include <ostream>
#include <string>

#include "generator/control_record.h"
#include "generator/packing_statistics.h"
#include "generator/particle.h"
#include "generator/particle_shapes.h"
#include "generator/placement.h"

namespace tessark {

// Returns the exit status: 0 when every file was written, 1 when the run
// stopped with a message on `console` (a file that cannot be written is named
// with the system's reason). `pauseHint`, when given, receives a line
// telling the operator how to answer each pause (see placeParticles).
int runTessark(const std::filesystem::path& folder, std::istream& operatorInput, std::ostream& console,
               OverlapSearch search = OverlapSearch::CellGrid, std::ostream* pauseHint = nullptr);

// The run between reading the control file and writing the simulator input:
// npart made even and checked against the memory, the particles generated,
// sorted, listed in `sizeList` (the text of "temp.dat") and placed, and the
// statistics computed.
// False with `error` (without the leading "error: ") when the run stops.
// `pauseHint` as for runTessark.
bool buildPacking(ControlRecord& control, ParticleTable& table, PackingStatistics& statistics, std::string& sizeList,
                  std::istream& operatorInput, std::ostream& console, OverlapSearch search, std::string& error,
                  long rejectionCap = kRejectionCap, std::ostream* pauseHint = nullptr);

}  // namespace tessark
