// Reading a packing from a simulator input file ("newin.dat"): every layout the
// viewer reads as an input file (long records with a vertex count, short records
// without, and the old layout that starts with a 0 and gives discs by radius alone).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bridge {

// How a particle is simulated.
enum class ShapeKind {
    Disc,     // a granular disc of radius a
    Polygon,  // the polygon of its nv outline points (a regular polygon when a = b)
};

struct PackedParticle {
    double a = 0.0;  // semi-axis along the particle's own x direction
    double b = 0.0;  // the other semi-axis
    int nv = 20;     // outline vertex count as the viewer draws it
    double x = 0.0;
    double y = 0.0;
    double theta = 0.0;  // radians
    ShapeKind kind = ShapeKind::Disc;
};

struct WallSegment {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
};

enum class RecordLayout { Long, Short, Old };

struct Packing {
    std::vector<PackedParticle> particles;
    std::vector<WallSegment> walls;
    double dt = 0.0;     // time per step given in the header
    double nloop = 0.0;  // first value of the parameter block
    RecordLayout layout = RecordLayout::Long;
};

// The vertex count the packing generator writes for every particle outside polygon mode;
// with equal semi-axes it marks a circle.
inline constexpr int kCircleVertexMark = 100;

// Reads the whole file text: long records first, then short; the old layout when the
// first field is 0. Throws InputError naming the file and the failing field.
Packing readPacking(std::string_view text, const std::string& name);
Packing readPackingFile(const std::string& path);

// Outline point k of nv of a particle in its own frame (before rotation by theta).
struct Point {
    double x = 0.0;
    double y = 0.0;
};
std::vector<Point> outlinePoints(const PackedParticle& particle);

}  // namespace bridge
