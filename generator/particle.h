#pragma once
// One entry of the particle table.
#include "runfiles/constants.h"

#include <cstdint>
#include <vector>

namespace tessark {

// The generator's value of pi in rotation angles, polygon radii and areas: the run
// files' eight decimals.
inline constexpr double kPi = runfiles::kPiToEightDecimals;

struct Particle {
    double a = 0.0;       // bounding-circle radius (ellipse semi-axis along its own x)
    double b = 0.0;       // second radius, aspect * a
    double aspect = 1.0;  // b / a as drawn, for the aspect-ratio histogram
    std::int32_t nedg = 0;
    double sortedA = 0.0;  // a right after sorting, before any replacement during placement
    double x = 0.0;
    double y = 0.0;
    double theta = 0.0;
};

using ParticleTable = std::vector<Particle>;

}  // namespace tessark
