// The viewer's model of one configuration: particles with shape and two poses,
// walls, the current step's contact records and statistics, and the bounding box.
// Tables grow with the files read (never shrinking, so an index a contact record
// names past the particle count still finds a blank slot) and are overwritten in
// place by the next file.
#pragma once

#include "runfiles/capacities.h"
#include "runfiles/constants.h"
#include "runfiles/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sorvath {

// The records, the tables' first sizes and the angle constant are the run files' own.
using runfiles::Contact;
using runfiles::kDefaultVertexCount;
using runfiles::kFirstContactSlots;
using runfiles::kFirstParticleSlots;
using runfiles::kFirstWallSlots;
using runfiles::Pose;
using runfiles::Wall;
// The angle constant of the drawing (eight decimals on purpose).
inline constexpr double kPi = runfiles::kPiToEightDecimals;

struct Particle {
    double a = 0.0;                    // semi-axis along the particle's own x direction
    double b = 0.0;                    // the other semi-axis (= a in the layouts without b)
    int16_t nv = kDefaultVertexCount;  // outline vertex count
    Pose previous;
    Pose current;
    bool selected = false;  // grain-selection mark
};

enum class SourceMode { None = 0, Input = 1, Output = 2 };

// How particle shape records are read: with the vertex count (long) or without (short).
enum class RecordMode { Long, Short };

struct Scene {
    Scene();

    // Make room for entries 1 .. count; may throw std::bad_alloc.
    void makeParticleRoom(int count);
    void makeWallRoom(int count);
    void makeContactRoom(int count);
    int particleSlots() const { return static_cast<int>(particles.size()) - 1; }
    int wallSlots() const { return static_cast<int>(walls.size()) - 1; }
    int contactSlots() const { return static_cast<int>(contacts.size()) - 1; }

    std::vector<Particle> particles;  // at least nop + 1 entries
    std::vector<Wall> walls;          // at least nwall + 1 entries
    std::vector<Contact> contacts;    // at least nctot + 1 entries

    int nop = 0;
    int nwall = 0;
    double dt = 0.0;
    double perw = 0.0;
    double perv = 0.0;
    double nloop = 0.0;  // first value of the parameter block: the run's total step count
    int32_t iloop = 0;
    int32_t iloop0 = 0;

    double xmin = 0.0;
    double xmax = 0.0;
    double ymin = 0.0;
    double ymax = 0.0;

    int ncont = 0;
    int nwcont = 0;
    int nctot = 0;
    double avfn = 0.0;
    double fnmax = 0.0;
    double avrot = 0.0;

    SourceMode source = SourceMode::None;
    bool oldLayout = false;
    RecordMode recordMode = RecordMode::Long;
    bool rescaleOnLoad = true;
    bool movewall = false;

    // Parts of the chosen output path and the derived companion names.
    std::string dirpart;
    std::string filepart;
    std::string filenoc;
    std::string wallfile;
};

}  // namespace sorvath
