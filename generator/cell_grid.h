#pragma once
// A uniform grid of square cells over the packing rectangle, each cell
// holding the placed particles whose centres lie in it. It answers the same
// question as a scan over all placed particles: does any bounding circle
// overlap the trial circle? A cell keeps the centres and radii of its first
// two particles in its own 64 bytes, so a trial reads a few neighbouring
// cache lines rather than particles scattered over the table; further
// particles of a cell are chained in a second table.
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

    void insert(const Particle& p);

    // True when some placed particle k has (y-yk)^2 + (x-xk)^2 < (ak+a)^2,
    // with the same expression as the full scan.
    bool overlapsAny(double x, double y, double a) const;

private:
    // A placed particle as the overlap test reads it.
    struct Circle {
        double x, y, a;
    };
    static constexpr int kCellCircles = 2;
    struct alignas(64) Cell {
        std::int32_t count = 0;     // circles whose centres lie in the cell
        std::int32_t further = -1;  // first of those beyond kCellCircles in further_, -1 when none
        Circle circles[kCellCircles]{};
    };
    struct Further {
        Circle circle;
        std::int32_t next;  // the cell's next in further_, -1 at the end
    };

    std::int64_t column(double x) const;
    std::int64_t row(double y) const;

    double xmin_, ymin_, cell_;
    double coordinateScale_;
    std::int64_t columns_ = 1, rows_ = 1;
    bool enabled_ = true;
    double largestPlaced_ = 0.0;
    std::vector<Cell> cells_;
    std::vector<Further> further_;
};

}  // namespace tessark
