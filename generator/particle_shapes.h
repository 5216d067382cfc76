#pragma once
// Sizes and shapes of all particles, drawn before placement, sorted largest
// first and listed in the sorted size list.
#include <cstdint>
#include <ostream>
#include <string>

#include "generator/control_record.h"
#include "generator/particle.h"

namespace tessark {

// Consecutive re-draws of one particle's aspect ratio, size or edge count
// after which its bounds are taken as unreachable and the run stops.
inline constexpr long kRejectionCap = 1'000'000;

// Fills `table` with `npart` particles (npart even) in generation order,
// drawing from `ir` and printing the rejection messages on `console`. Returns
// false with `error` naming the bounds when a value was rejected
// `rejectionCap` times in a row, or naming the control values when radii
// come out as no number.
bool generateParticles(const ControlRecord& control, int npart, std::int32_t& ir, ParticleTable& table,
                       std::ostream& console, std::string& error, long rejectionCap = kRejectionCap);

// Largest a first; particles of equal a keep their generation order (a value
// that compares with nothing, NaN, goes behind the particles sorted so far).
// Records each particle's sortedA.
void sortBySize(ParticleTable& table);

// The sorted size list ("temp.dat"): one free-format line per particle,
// index and a.
std::string sizeListText(const ParticleTable& table);

// Circumradius of the regular n-gon whose area is that of the disc of radius a.
double polygonRadius(double a, std::int32_t nedg);

}  // namespace tessark
