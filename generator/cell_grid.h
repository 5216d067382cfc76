#pragma once
// A uniform grid of square cells over the packing rectangle, each cell
// holding the placed particles whose centres lie in it. It answers the same
// question as a scan over all placed particles: does any bounding circle
// overlap the trial circle? Storage is taken once for the whole run.
#include <cstdint>
#include <vector>

#include "generator/particle.h"

namespace tessark {

class CellGrid {
public:
    // `largestRadius` sets the cell size; `capacity` is the number of particles.
    CellGrid(double xmin, double xmax, double ymin, double ymax, double largestRadius, std::size_t capacity);

    // False when the grid cannot answer exactly (negative or non-finite radii);
    // the caller then scans all placed particles.
    bool usableFor(double a) const;

    void insert(std::size_t index, const Particle& p);

    // True when some placed particle k has (y-yk)^2 + (x-xk)^2 < (ak+a)^2,
    // with the same expression as the full scan.
    bool overlapsAny(double x, double y, double a, const ParticleTable& table) const;

private:
    std::int64_t column(double x) const;
    std::int64_t row(double y) const;

    double xmin_, ymin_, cell_;
    double coordinateScale_;
    std::int64_t columns_ = 1, rows_ = 1;
    bool enabled_ = true;
    double largestPlaced_ = 0.0;
    std::vector<std::int32_t> head_;  // first particle of each cell, -1 when empty
    std::vector<std::int32_t> next_;  // next particle in the same cell
};

}  // namespace tessark
