#pragma once
// One whole run of the packing generator in a folder: read the control file,
// generate and sort the particles, place them, write the three files.
#include <filesystem>
#include <istream>
#include <ostream>

#include "generator/placement.hpp"

namespace tessark {

// Returns the exit status: 0 when every file was written, 1 when the run
// stopped with a message on `console`. `pauseHint`, when given, receives a line
// telling the operator how to answer each pause (see placeParticles).
int runTessark(const std::filesystem::path& folder, std::istream& operatorInput, std::ostream& console,
               OverlapSearch search = OverlapSearch::CellGrid, std::ostream* pauseHint = nullptr);

}  // namespace tessark
