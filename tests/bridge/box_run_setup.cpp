#include "tests/bridge/box_run_setup.h"

namespace demrun::testing {

RunParameters boxRunParameters(double kn, double width, double height) {
    RunParameters r;
    r.gravity = 9.81;
    r.kn = kn;
    r.kt = kn * 2.0 / 7.0;
    r.restitution = 0.5;
    r.friction = 0.5;
    r.wallFriction = 0.5;
    r.overlap = 0.001;
    r.stepsPerContact = 20;
    r.impactOverlap = 0.2;
    r.rounding = 0.15;
    r.xlo = 0;
    r.xhi = width;
    r.ylo = 0;
    r.yhi = height;
    return r;
}

std::string particleDumpHead(long step, long atoms, const std::string& bounds) {
    std::string text = "ITEM: TIMESTEP\n" + std::to_string(step) + "\nITEM: NUMBER OF ATOMS\n" + std::to_string(atoms) +
                       "\nITEM: BOX BOUNDS ff ff pp\n" + bounds + "ITEM: ATOMS id x y mux muy f_spin mass radius";
    for (const char* fix : {"wall_sides", "wall_bottom", "wall_lid"})
        for (int c : {1, 2, 3, 5, 6}) text += std::string(" f_") + fix + "[" + std::to_string(c) + "]";
    return text + "\n";
}

std::string pairDumpHead(long step, long entries, const std::string& bounds) {
    return "ITEM: TIMESTEP\n" + std::to_string(step) + "\nITEM: NUMBER OF ENTRIES\n" + std::to_string(entries) +
           "\nITEM: BOX BOUNDS ff ff pp\n" + bounds +
           "ITEM: ENTRIES c_pair_atoms[1] c_pair_atoms[2] c_pairs[1] c_pairs[2] c_pairs[3] c_pairs[4] c_pairs[5] "
           "c_pairs[6]\n";
}

}  // namespace demrun::testing
