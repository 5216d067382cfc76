// The records of the run files: a particle's shape and pose, a wall, a contact, and the
// record layouts of the input and output files.
#pragma once

#include "runfiles/capacities.h"

#include <cstdint>

namespace runfiles {

// Long records carry a vertex count, short ones do not; the old layout starts with a 0
// and gives a particle by its radius alone.
enum class RecordLayout { Long, Short, Old };

struct Pose {
    double x = 0.0;
    double y = 0.0;
    double theta = 0.0;  // radians
};

struct ParticleShape {
    double a = 0.0;                // semi-axis along the particle's own x direction
    double b = 0.0;                // the other semi-axis (= a in the old layout)
    int nv = kDefaultVertexCount;  // outline vertex count
};

struct Wall {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
};

struct Contact {
    int32_t ip = 0;  // first particle
    int32_t jp = 0;  // second particle; |jp| is the index, 0 means a wall
    double xc = 0.0;
    double yc = 0.0;
    double ang = 0.0;    // contact angle, radians
    double fn = 0.0;     // normal force as written (Sorvath inverts its sign on reading)
    double extra = 0.0;  // read and not used
};

}  // namespace runfiles
