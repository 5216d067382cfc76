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

#include <cstdint>
#include <utility>
#include <vector>

namespace demrun {

class ContactRecords {
public:
    explicit ContactRecords(const std::vector<Clump>& clumps);

    std::size_t atoms() const { return particleOf_.size(); }
    int particleOf(std::size_t atom) const { return particleOf_[atom]; }

    // A new dump: the atoms' positions (by atom index), and how many disc contacts it
    // will give at most (room is made for them at once).
    void start(const std::vector<Point>& atoms, std::size_t pairRows = 0);
    // One disc contact: atoms i and j, the normal force (repulsive > 0), the tangential
    // force on i, and the centre line x_i - x_j.
    void addPair(std::size_t i, std::size_t j, double normal, double tx, double ty, double dx, double dy);
    // One disc touching a wall of fix `wall`: the force on the disc and the contact point.
    void addWall(int wall, std::size_t atom, double fx, double fy, double px, double py);
    // Puts the records of this dump in their order: pairs by (ip, jp), walls by particle
    // and then wall. Then pairRecord(k) and wallRecord(k) give them one by one (until the
    // next start), made from the particles' poses.
    void finish();
    std::size_t pairCount() const { return pairs_.size(); }
    std::size_t wallCount() const { return walls_.size(); }
    ContactOut pairRecord(std::size_t k, const std::vector<ParticlePose>& poses) const;
    ContactOut wallRecord(std::size_t k, const std::vector<ParticlePose>& poses) const;

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
    // A pair's forces alone: between two free discs the record needs no contact point
    // (the segment joins the centres), so only pairs with a clump keep a Spot beside it.
    struct Force {
        double nx = 0.0, ny = 0.0, tx = 0.0, ty = 0.0;
    };
    struct Spot {
        double px = 0.0, py = 0.0, weight = 0.0;
    };
    // The sums of one dump by key (first << 32 | second): a flat table whose entries sit
    // in the order their keys first came, found through an open-addressed index, and
    // sorted by key once the dump is complete. Every sum takes its contributions in the
    // order they came, as a map's would.
    template <class Value>
    class SumTable {
    public:
        void clear(std::size_t expected);
        Value& at(long long key);
        void sortByKey();
        std::size_t size() const { return entries_.size(); }
        const std::pair<long long, Value>& operator[](std::size_t k) const { return entries_[k]; }
        // After sortByKey: the value of a key, which must be held.
        const Value& sorted(long long key) const;

    private:
        void index(std::size_t slots);
        std::size_t slotOf(long long key) const;

        std::vector<std::pair<long long, Value>> entries_;
        std::vector<std::int32_t> slots_;  // an entry's place in entries_, or -1
        int shift_ = 64;
    };

    void note(int particle, double fraction);
    ContactOut record(long long key, const Sum& sum, bool wall, const std::vector<ParticlePose>& poses) const;

    std::vector<int> particleOf_;
    std::vector<double> radius_;
    std::vector<bool> rigid_;  // per particle
    std::vector<double> worstOverlap_;
    const std::vector<Point>* atoms_ = nullptr;
    SumTable<Force> pairs_;
    SumTable<Spot> pairSpots_;  // the pairs of pairs_ with a clump
    SumTable<Sum> walls_;
};

// The contact angle whose force segment (drawn along ang + pi/2) runs from (x1, y1)
// towards (x2, y2).
double segmentAngle(double x1, double y1, double x2, double y2);

}  // namespace demrun
