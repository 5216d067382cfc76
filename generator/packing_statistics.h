#pragma once
// The size, diameter and aspect-ratio distributions of a placed packing, as
// the statistics file shows them, and the check that they can be computed.
#include <array>
#include <string>

#include "generator/control_record.h"
#include "generator/particle.h"

namespace tessark {

inline constexpr int kStatisticsClasses = 50;

struct PackingStatistics {
    double sums = 0.0;   // total area, sum of pi * a * b in table order
    double rsmin = 0.0;  // lower end of the first size class
    double rsmax = 0.0;
    double dr = 0.0;                                  // width of a size class
    std::array<double, kStatisticsClasses> weight{};  // area of the particles in each class (by equivalent radius)
    double tarea2 = 0.0;                              // area inside all classes
    std::array<long, kStatisticsClasses> counts{};    // particles in each class (by a)
    double dax = 0.0;                                 // width of an aspect-ratio class, from axismin to 1
    std::array<long, kStatisticsClasses> aspectCounts{};

    // Upper end of size class k (0-based), and of aspect-ratio class k.
    double upper(int k) const { return static_cast<double>(k + 1) * dr + rsmin; }
    double aspectUpper(double axismin, int k) const { return static_cast<double>(k + 1) * dax + axismin; }
};

// Class k (0-based) of 50 half-open classes [k*width + low, (k+1)*width + low);
// -1 outside them all.
int classOf(double value, double low, double width);

PackingStatistics computeStatistics(const ControlRecord& control, const ParticleTable& table);

// Empty when every number of the statistics file is a number; otherwise why
// not, naming the control values to check.
std::string statisticsProblem(const ControlRecord& control, const ParticleTable& table,
                              const PackingStatistics& statistics);

}  // namespace tessark
