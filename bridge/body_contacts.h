// Contacts of rounded-polygon bodies found from their poses and shapes. The body pair
// style of LAMMPS gives no pair-by-pair output, so the conversion measures each
// contact itself: two bodies touch where the distance between their vertex polygons
// is below the sum of their rounded radii; the normal force is the elastic part,
// kn times that overlap. A body touches a wall where a vertex comes nearer to the
// wall than its rounded radius.
#pragma once

#include "bridge/packing_input.h"
#include "bridge/result_files.h"
#include "bridge/run_parameters.h"

#include <vector>

namespace bridge {

class BodyContactFinder {
public:
    BodyContactFinder(const Packing& packing, const RunParameters& parameters);
    // Particle pairs first (ascending ip, then jp), then particle-wall contacts (jp = 0)
    // against the given walls; fn is written negative for compression.
    void find(const std::vector<ParticlePose>& poses, const std::vector<WallSegment>& walls,
              std::vector<ContactOut>& pairs, std::vector<ContactOut>& wallContacts);

private:
    struct Shape {
        std::vector<Point> vertices;  // body frame
        double rounded = 0.0;
        double enclosing = 0.0;  // farthest vertex distance plus the rounded radius
    };
    std::vector<Shape> shapes_;
    std::vector<std::vector<Point>> world_;
    double kn_ = 0.0;
    double cell_ = 0.0;
};

// Smallest distance between two vertex polygons (a single vertex is a point, two
// vertices a segment), measured vertex against edge both ways.
double polygonDistance(const std::vector<Point>& p, const std::vector<Point>& q);

}  // namespace bridge
