#pragma once
// The simulator's input file and the statistics file of a placed packing.
#include <ostream>

#include "generator/control_record.hpp"
#include "generator/particle.hpp"

namespace tessark {

// Writes the simulator input ("newin.dat") and returns the total area
// sum(pi * a * b). The disc layout (ishape 2) starts with a 0 line, gives
// each particle a alone, has no material line after the walls and ends with
// one more line. The particle count takes as many digits as it needs when it
// is wider than its four-character field.
double writeSimulatorInput(const ControlRecord& control, const ParticleTable& table, std::ostream& out);

// Writes the size, diameter, aspect-ratio and edge-count distributions
// ("OUTD.DAT").
void writeStatistics(const ControlRecord& control, const ParticleTable& table, double sums, std::ostream& out);

// The console and statistics line of the total area.
std::string totalAreaLine(double sums);

}  // namespace tessark
