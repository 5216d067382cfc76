// Polygons and ellipses as LAMMPS runs them: rigid clumps of granular discs. Every disc
// of a clump has the clump's rounded radius; the discs sit at the corners of the outline
// pulled in by that radius and along its edges, at most one radius apart, so the clump's
// surface is the drawn outline with rounded corners. A disc at the centre carries the rest
// of the mass: the outline discs together get what makes the clump's moment of inertia
// that of the solid outline, so the clump has the particle's mass, centre and inertia.
// A disc of the packing stays a single free disc.
#pragma once

#include "bridge/packing_input.h"
#include "bridge/run_parameters.h"

#include <vector>

namespace demrun {

struct ClumpDisc {
    Point offset;  // in the particle's own frame, from its centre
    double mass = 0.0;
};

struct Clump {
    double radius = 0.0;  // of every disc
    bool rigid = false;   // false: one free disc (a disc of the packing)
    std::vector<ClumpDisc> discs;
};

// The most discs one clump may have.
inline constexpr int kMaxClumpDiscs = 5000;

// Throws InputError when the particle would need more than kMaxClumpDiscs discs.
Clump clumpOf(const PackedParticle& particle, const RunParameters& parameters);

// Moment of inertia about the centre of a polygon of uniform areal density.
double polygonInertia(const std::vector<Point>& points, double density);

// The discs' positions of a clump at a pose.
Point discPosition(const ClumpDisc& disc, double x, double y, double theta);

// A rigid clump's pose from its discs' positions (least squares over the discs, exact for
// a rigid motion): the angle in (-pi, pi] and the centre.
struct ClumpPose {
    double x = 0.0;
    double y = 0.0;
    double theta = 0.0;
};
ClumpPose clumpPose(const Clump& clump, const std::vector<Point>& positions);

}  // namespace demrun
