// Reading a packing from a simulator input file ("newin.dat"): every layout the
// viewer reads as an input file (long records with a vertex count, short records
// without, and the old layout that starts with a 0 and gives discs by radius alone).
#pragma once

#include "runfiles/outline.h"
#include "runfiles/records.h"

#include <string>
#include <string_view>
#include <vector>

namespace demrun {

// How a particle is simulated.
enum class ShapeKind {
    Disc,     // a granular disc of radius a
    Polygon,  // the polygon of its nv outline points (a regular polygon when a = b)
};

struct PackedParticle : runfiles::ParticleShape {  // nv: the outline's vertex count as Sorvath draws it
    double x = 0.0;
    double y = 0.0;
    double theta = 0.0;  // radians
    ShapeKind kind = ShapeKind::Disc;
};

using runfiles::kCircleVertexMark;
using runfiles::Point;
using runfiles::RecordLayout;
using WallSegment = runfiles::Wall;
using ParticlePose = runfiles::Pose;
using ContactOut = runfiles::Contact;  // fn as written: Sorvath inverts it

struct Packing {
    std::vector<PackedParticle> particles;
    std::vector<WallSegment> walls;
    double dt = 0.0;     // time per step given in the header
    double nloop = 0.0;  // first value of the parameter block
    RecordLayout layout = RecordLayout::Long;
};

// Reads the whole file text: long records first, then short; the old layout when the
// first field is 0. Throws InputError naming the file and the failing field.
Packing readPacking(std::string_view text, const std::string& name);
Packing readPackingFile(const std::string& path);

// The particle's nv outline points in its own frame (before rotation by theta), with the
// exact angles (runfiles::exactOutlineAngles).
std::vector<Point> outlinePoints(const PackedParticle& particle);

}  // namespace demrun
