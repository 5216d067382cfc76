// The viewer's model of one configuration: particles with shape and two poses,
// walls, the current step's contact records and statistics, and the bounding box.
// Tables grow with the files read (never shrinking, so an index a contact record
// names past the particle count still finds a blank slot) and are overwritten in
// place by the next file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorvath {

// The tables' first sizes; slot 0 of each is unused.
inline constexpr int kFirstParticleSlots = 10000;
inline constexpr int kFirstWallSlots = 100;
inline constexpr int kFirstContactSlots = 10000;
inline constexpr int kDefaultVertexCount = 20;

// The angle constant shared by the readers and the drawing (eight decimals on purpose).
inline constexpr double kPi = 3.14159265;

struct Pose {
    double x = 0.0;
    double y = 0.0;
    double theta = 0.0;  // radians
};

struct Particle {
    double a = 0.0;                    // semi-axis along the particle's own x direction
    double b = 0.0;                    // the other semi-axis (= a in the layouts without b)
    int16_t nv = kDefaultVertexCount;  // outline vertex count
    Pose previous;
    Pose current;
    bool selected = false;  // grain-selection mark
};

struct Wall {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
};

struct Contact {
    int32_t ip = 0;  // first particle
    int32_t jp = 0;  // second particle; |jp| is the index, 0 means none
    double xc = 0.0;
    double yc = 0.0;
    double ang = 0.0;    // contact angle, radians
    double fn = 0.0;     // normal force, stored with its sign inverted on reading
    double extra = 0.0;  // read and not used
};

enum class SourceMode { None = 0, Input = 1, Output = 2 };

// How particle shape records are read: with the vertex count (long) or without (short).
// Opening is the transient state while the input file dialog is up.
enum class RecordMode { Opening, Long, Short };

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
