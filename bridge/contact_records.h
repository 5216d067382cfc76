// The viewer's contact records from LAMMPS's disc contacts. Every particle is one disc or
// a rigid clump of discs; LAMMPS reports the contacts of discs. The records are per
// particle pair: the normal forces of all their disc contacts summed as vectors (written
// negative for compression), the magnitude of their summed tangential forces in the last
// column, and the contact point at the middle of the disc contacts weighted by their
// normal forces (between two free discs: the middle of the centres, where the viewer's
// segment joins them). A particle's contacts with one wall fix are summed the same way;
// their point is the middle between the centre and the weighted wall point. Along the way
// the overlaps are measured against the discs' radii and particles outside the walls noted.
#pragma once

#include "bridge/clump_shapes.h"

#include <unordered_map>
#include <vector>

namespace demrun {

class ContactRecords {
public:
    explicit ContactRecords(const std::vector<Clump>& clumps);

    std::size_t atoms() const { return particleOf_.size(); }
    int particleOf(std::size_t atom) const { return particleOf_[atom]; }

    // A new dump: the atoms' positions (by atom index).
    void start(const std::vector<Point>& atoms);
    // One disc contact: atoms i and j, the normal force (repulsive > 0), the tangential
    // force on i, and the centre line x_i - x_j.
    void addPair(std::size_t i, std::size_t j, double normal, double tx, double ty, double dx, double dy);
    // One disc touching a wall of fix `wall`: the force on the disc and the contact point.
    void addWall(int wall, std::size_t atom, double fx, double fy, double px, double py);
    // The records of this dump: pairs by (ip, jp), then walls by particle and wall.
    void finish(const std::vector<ParticlePose>& poses, std::vector<ContactOut>& pairs, std::vector<ContactOut>& walls);

    // The forces of this dump's contacts on each particle (pairs and walls), and the force
    // each wall fix exerts on all particles together.
    void forces(std::vector<Point>& perParticle, std::vector<Point>& perWall) const;

    // The largest overlap seen per particle, as a fraction of the smaller disc radius.
    const std::vector<double>& worstOverlap() const { return worstOverlap_; }

private:
    struct Sum {
        double nx = 0.0, ny = 0.0;  // normal force on the first particle
        double tx = 0.0, ty = 0.0;  // tangential force on it
        double px = 0.0, py = 0.0, weight = 0.0;
    };
    void note(int particle, double fraction);

    std::vector<int> particleOf_;
    std::vector<double> radius_;
    std::vector<bool> rigid_;  // per particle
    std::vector<double> worstOverlap_;
    const std::vector<Point>* atoms_ = nullptr;
    std::unordered_map<long long, Sum> pairs_;
    std::unordered_map<long long, Sum> walls_;
};

// The contact angle whose force segment (drawn along ang + pi/2) runs from (x1, y1)
// towards (x2, y2).
double segmentAngle(double x1, double y1, double x2, double y2);

}  // namespace demrun
