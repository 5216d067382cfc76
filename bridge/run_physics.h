// Figures a granular physicist checks a settled run by, from its dumps and its log: how
// much of the weight the walls carry, how well the contact forces on each particle balance
// its weight, whether the bed came to rest, whether any particle left the box or
// overlapped by more than the setup's limit, and how far the disc angles are from those of
// the same run dumped more often. The physics tests and bench/bridge/physics-report use
// the same functions.
#pragma once

#include <string>
#include <vector>

namespace demrun {

struct PhysicsFigures {
    long particles = 0;
    double weight = 0.0;            // of all particles
    double bottomShare = 0.0;       // the bottom wall's upward force / weight
    double wallsShare = 0.0;        // all walls' upward force / weight
    double balancedShare = 0.0;     // particles whose force sum is within the tolerance of their weight
    double balanceTolerance = 0.0;  // as a fraction of a particle's weight
    double kineticPeak = 0.0;       // largest kinetic energy of the log's thermo rows
    double kineticEnd = 0.0;        // at the last row
    long outside = 0;               // particles that left the box
    double largestOverlap = 0.0;    // per disc radius, over the whole run
    double overlapLimit = 0.0;      // the setup's impact_overlap
};

// Measures a finished run in folder (dumps, setup, packing copy and log.lammps).
// Throws InputError when a file is missing or unreadable.
PhysicsFigures measurePhysics(const std::string& folder, double balanceTolerance = 0.05);

// The largest difference of the final angles of two runs of the same preparation
// dumped at different intervals (in radians), and the largest angle a particle turned by
// in the finer run, so a caller can see that the comparison means something.
struct AngleComparison {
    double largestDifference = 0.0;
    double largestTurn = 0.0;
};
AngleComparison compareFinalAngles(const std::string& coarseFolder, const std::string& fineFolder);

// The figures as report lines, one per check ("bottom wall / weight 0.998", ...).
std::vector<std::string> physicsLines(const PhysicsFigures& figures);

}  // namespace demrun
