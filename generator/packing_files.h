#pragma once
// The simulator's input file and the statistics file of a placed packing.
#include <string>

#include "generator/control_record.h"
#include "generator/packing_statistics.h"
#include "generator/particle.h"

namespace tessark {

// The simulator input ("newin.dat"). The disc layout (ishape 2) starts with
// a 0 line, gives each particle a alone, has no material line after the walls
// and ends with one more line. The particle count takes as many digits as it
// needs when it is wider than its four-character field.
std::string simulatorInputText(const ControlRecord& control, const ParticleTable& table);

// The statistics file ("OUTD.DAT"): the total area, the weight and
// circumscribed-diameter distributions, then the aspect-ratio histogram of
// ellipses or the edge-count table of polygons.
std::string statisticsText(const ControlRecord& control, const ParticleTable& table,
                           const PackingStatistics& statistics);

// The console and statistics line of the total area.
std::string totalAreaLine(double sums);

}  // namespace tessark
