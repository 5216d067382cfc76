// What the hand-written and the synthetic runs share: the parameters of a run in a box
// with the lower left corner at the origin, and the head of the dumps it writes.
#pragma once

#include "bridge/run_parameters.h"

#include <string>

namespace demrun::testing {

// The parameters of a disc run in a width x height box: normal stiffness kn (tangential
// two sevenths of it), restitution, friction and wall friction 0.5, rounding 0.15. The
// caller sets the material, time step, dumps and lid.
RunParameters boxRunParameters(double kn, double width, double height);

// A particle dump block's head for rows atoms (through the columns line), and a pair
// dump block's for entries, as the road's dump commands write them.
std::string particleDumpHead(long step, long atoms, const std::string& bounds);
std::string pairDumpHead(long step, long entries, const std::string& bounds);

}  // namespace demrun::testing
