// The angle constants of the run files.
#pragma once

#include <numbers>

namespace runfiles {

inline constexpr double kPi = std::numbers::pi;

// Pi to eight decimals, the value Sorvath draws with (the outline's angle step, the
// turn of a particle, the contact's force segment) and Tessark generates with (angles,
// polygon radii, areas). Every picture and every packing depends on it, so it stays as
// it is rather than becoming kPi.
inline constexpr double kPiToEightDecimals = 3.14159265;

}  // namespace runfiles
