#include "bridge/clump_shapes.h"

#include "bridge/field_text.h"
#include "bridge/lammps_input.h"

#include <algorithm>
#include <cmath>

namespace demrun {

namespace {

// The inertia LAMMPS's rigid bodies give a disc atom about its own centre: that of a
// sphere, 2/5 m r^2.
constexpr double kAtomInertia = 0.4;

}  // namespace

double polygonInertia(const std::vector<Point>& points, double density) {
    double sum = 0.0;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const Point& p = points[k];
        const Point& q = points[(k + 1) % points.size()];
        const double cross = p.x * q.y - q.x * p.y;
        sum += cross * (p.x * p.x + p.x * q.x + q.x * q.x + p.y * p.y + p.y * q.y + q.y * q.y);
    }
    return density * std::fabs(sum) / 12.0;
}

Clump clumpOf(const PackedParticle& particle, const RunParameters& r) {
    Clump clump;
    const double mass = particleMass(particle, r.density);
    if (particle.kind == ShapeKind::Disc) {
        clump.radius = particle.a;
        clump.discs.push_back({{0.0, 0.0}, mass});
        return clump;
    }
    clump.rigid = true;
    clump.radius = roundedRadius(particle, r);
    const std::vector<Point> corners = bodyVertices(particle, clump.radius);
    // Discs along each edge, at most one radius apart: counted before any is placed, so a
    // particle far longer than its rounding allows is refused rather than filled.
    std::vector<int> perEdge;
    double total = 0.0;
    for (std::size_t k = 0; k < corners.size(); ++k) {
        const Point& p = corners[k];
        const Point& q = corners[(k + 1) % corners.size()];
        const double pieces = std::max(1.0, std::ceil(std::hypot(q.x - p.x, q.y - p.y) / clump.radius));
        total += pieces;
        if (!(clump.radius > 0.0) || !(total <= kMaxClumpDiscs))
            throw InputError("a particle of semi-axes " + numberText(particle.a, 6) + " and " +
                             numberText(particle.b, 6) + " would need more than " + std::to_string(kMaxClumpDiscs) +
                             " discs of radius " + numberText(clump.radius, 6) + " (rounding " +
                             numberText(r.rounding, 6) + " of the smaller semi-axis); choose a larger rounding");
        perEdge.push_back(static_cast<int>(pieces));
    }
    std::vector<Point> outline;
    for (std::size_t k = 0; k < corners.size(); ++k) {
        const Point& p = corners[k];
        const Point& q = corners[(k + 1) % corners.size()];
        const int pieces = perEdge[k];
        for (int s = 0; s < pieces; ++s) {
            const double t = static_cast<double>(s) / pieces;
            outline.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
        }
    }
    const auto n = static_cast<double>(outline.size());
    double squares = 0.0;
    Point sum;
    for (const Point& d : outline) {
        squares += d.x * d.x + d.y * d.y;
        sum.x += d.x;
        sum.y += d.y;
    }
    const double inertia = polygonInertia(outlinePoints(particle), r.density);
    // The outline discs' share of the mass: the solid outline's inertia; the centre disc
    // keeps at least a tenth, so that it can balance the outline's centre.
    double share = (inertia - kAtomInertia * mass * clump.radius * clump.radius) / squares;
    share = std::clamp(share * n, 0.01 * mass, 0.9 * mass) / n;
    const double centreMass = mass - share * n;
    clump.discs.push_back({{-share * sum.x / centreMass, -share * sum.y / centreMass}, centreMass});
    for (const Point& d : outline) clump.discs.push_back({d, share});
    return clump;
}

Point discPosition(const ClumpDisc& disc, double x, double y, double theta) {
    return runfiles::placedPoint(disc.offset, x, y, std::cos(theta), std::sin(theta));
}

ClumpPose clumpPose(const Clump& clump, const std::vector<Point>& positions) {
    const auto n = static_cast<double>(positions.size());
    Point bodyMean, worldMean;
    for (std::size_t k = 0; k < positions.size(); ++k) {
        bodyMean.x += clump.discs[k].offset.x / n;
        bodyMean.y += clump.discs[k].offset.y / n;
        worldMean.x += positions[k].x / n;
        worldMean.y += positions[k].y / n;
    }
    double dot = 0.0, cross = 0.0;
    for (std::size_t k = 0; k < positions.size(); ++k) {
        const double bx = clump.discs[k].offset.x - bodyMean.x;
        const double by = clump.discs[k].offset.y - bodyMean.y;
        const double wx = positions[k].x - worldMean.x;
        const double wy = positions[k].y - worldMean.y;
        dot += bx * wx + by * wy;
        cross += bx * wy - by * wx;
    }
    ClumpPose pose;
    pose.theta = std::atan2(cross, dot);
    const double c = std::cos(pose.theta);
    const double s = std::sin(pose.theta);
    pose.x = worldMean.x - (c * bodyMean.x - s * bodyMean.y);
    pose.y = worldMean.y - (s * bodyMean.x + c * bodyMean.y);
    return pose;
}

}  // namespace demrun
