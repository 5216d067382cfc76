#include "bridge/lammps_input.h"

#include "bridge/field_text.h"

#include <algorithm>
#include <cmath>

namespace bridge {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Numbers in the LAMMPS files: twelve significant digits.
std::string num(double value) { return numberText(value, 12); }

double largestRadius(const Packing& packing) {
    double a = 0.0;
    for (const PackedParticle& p : packing.particles) a = std::max(a, p.a);
    return a;
}

double smallestRadius(const Packing& packing) {
    double a = packing.particles.front().a;
    for (const PackedParticle& p : packing.particles) a = std::min(a, p.b);
    return a;
}

// Moment of inertia about the centre of a polygon of uniform areal density.
double polygonInertia(const std::vector<Point>& points, double density) {
    double sum = 0.0;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const Point& p = points[k];
        const Point& q = points[(k + 1) % points.size()];
        const double cross = p.x * q.y - q.x * p.y;
        sum += cross * (p.x * p.x + p.x * q.x + q.x * q.x + p.y * p.y + p.y * q.y + q.y * q.y);
    }
    return density * std::fabs(sum) / 12.0;
}

// Box: the walls' rectangle with a margin, so no particle reaches a fixed boundary.
std::string boxLines(const Packing& packing, const RunParameters& r) {
    const double margin = 0.1 * std::max(r.xhi - r.xlo, r.yhi - r.ylo) + 2.0 * largestRadius(packing);
    const double depth = largestRadius(packing);
    return num(r.xlo - margin) + " " + num(r.xhi + margin) + " xlo xhi\n" + num(r.ylo - margin) + " " +
           num(r.yhi + margin) + " ylo yhi\n" + num(-depth) + " " + num(depth) + " zlo zhi\n";
}

std::string discData(const Packing& packing, const RunParameters& r) {
    std::string text = "LAMMPS data file written by demrun: granular discs\n\n";
    text += std::to_string(packing.particles.size()) + " atoms\n1 atom types\n\n" + boxLines(packing, r);
    text += "\nAtoms # sphere\n\n";
    int id = 1;
    for (const PackedParticle& p : packing.particles) {
        // The sphere style takes a volume density (mass = 4/3 pi r^3 rho); this one gives
        // each disc the mass of its area, density * pi * a^2.
        const double volumeDensity = r.density * 3.0 / (4.0 * p.a);
        text += std::to_string(id++) + " 1 " + num(2.0 * p.a) + " " + num(volumeDensity) + " " + num(p.x) + " " +
                num(p.y) + " 0\n";
    }
    return text;
}

std::string bodyData(const Packing& packing, const RunParameters& r) {
    std::string text = "LAMMPS data file written by demrun: rounded-polygon bodies\n\n";
    const std::size_t n = packing.particles.size();
    text += std::to_string(n) + " atoms\n" + std::to_string(n) + " bodies\n1 atom types\n\n" + boxLines(packing, r);
    text += "\nAtoms # body\n\n";
    int id = 1;
    for (const PackedParticle& p : packing.particles)
        text +=
            std::to_string(id++) + " 1 1 " + num(particleMass(p, r.density)) + " " + num(p.x) + " " + num(p.y) + " 0\n";
    text += "\nBodies\n\n";
    id = 1;
    for (const PackedParticle& p : packing.particles) {
        const double rounded = roundedRadius(p, r);
        const double mass = particleMass(p, r.density);
        std::vector<Point> vertices;
        double izz = 0.0;
        if (p.kind == ShapeKind::Disc) {
            vertices.push_back({0.0, 0.0});
            izz = 0.5 * mass * p.a * p.a;
        } else {
            vertices = bodyVertices(p, rounded);
            izz = polygonInertia(outlinePoints(p), r.density);
        }
        // In the plane only izz acts; the in-plane moments are set above it so that the
        // body frame LAMMPS derives from the inertia tensor is the space frame and the
        // quaternion's angle is the particle's angle.
        text += std::to_string(id++) + " 1 " + std::to_string(6 + 3 * vertices.size() + 1) + "\n" +
                std::to_string(vertices.size()) + "\n" + num(2.0 * izz) + " " + num(2.0 * izz) + " " + num(izz) +
                " 0 0 0\n";
        // LAMMPS reads at most 32 lines of 256 characters per body: four vertices a line.
        for (std::size_t k = 0; k < vertices.size(); ++k)
            text += num(vertices[k].x) + " " + num(vertices[k].y) +
                    (k % 4 == 3 || k + 1 == vertices.size() ? " 0\n" : " 0 ");
        text += num(2.0 * rounded) + "\n";
    }
    return text;
}

std::string commentLines(const RunParameters& r, const Packing& packing) {
    std::string text;
    const auto line = [&](const std::string& what, double value) { text += "#   " + what + " = " + num(value) + "\n"; };
    text += "# Written by demrun prepare for a packing of " + std::to_string(packing.particles.size()) +
            " particles. Chosen values:\n";
    line("density (mass per unit area)", r.density);
    line("gravity", r.gravity);
    line("normal stiffness kn", r.kn);
    line("tangential stiffness kt (2/7 kn)", r.kt);
    line("restitution", r.restitution);
    line("normal damping per effective mass (1/s)", r.dampingRate);
    line("friction", r.friction);
    line("wall friction", r.wallFriction);
    line("overlap target (kn = auto)", r.overlap);
    line("contact time of the lightest pair (s)", r.contactTime);
    line("steps per contact time", r.stepsPerContact);
    line("time step (s)", r.dt);
    line("steps", static_cast<double>(r.steps));
    line("dump every (steps)", static_cast<double>(r.dumpEvery));
    line("lid speed (downwards)", r.lidSpeed);
    if (r.bodies) line("rounded radius per smaller semi-axis", r.rounding);
    return text;
}

std::string discScript(const Packing& packing, const RunParameters& r) {
    const std::string contact = "hooke " + num(r.kn) + " " + num(r.dampingRate) +
                                " damping mass_velocity tangential linear_history " + num(r.kt) + " 0.5 ";
    std::string s;
    s += "atom_style sphere\natom_modify map array\ncomm_modify vel yes\n";
    s += std::string("read_data ") + kDataFile + "\n";
    s += "neighbor " + num(0.5 * smallestRadius(packing)) + " bin\nneigh_modify every 1 delay 0 check yes\n\n";
    s += "pair_style granular\npair_coeff * * " + contact + num(r.friction) + "\n\n";
    s += "# Walls: left and right, bottom, and the lid moving down from the top.\n";
    s += "fix wall_sides all wall/gran granular " + contact + num(r.wallFriction) + " xplane " + num(r.xlo) + " " +
         num(r.xhi) + " contacts\n";
    s += "fix wall_bottom all wall/gran granular " + contact + num(r.wallFriction) + " yplane " + num(r.ylo) +
         " NULL contacts\n";
    s += "variable lid_shift equal -" + num(r.lidSpeed) + "*time\n";
    s += "region lid plane 0 " + num(r.yhi) + " 0 0 -1 0 side in move NULL v_lid_shift NULL\n";
    s += "fix wall_lid all wall/gran/region granular " + contact + num(r.wallFriction) + " region lid contacts\n\n";
    s += "fix gravity all gravity " + num(r.gravity) + " vector 0 -1 0\n";
    s += "fix motion all nve/sphere\nfix plane all enforce2d\n";
    s += "timestep " + num(r.dt) + "\n\n";
    s += "compute pairs all pair/local force p10 p11 cutoff radius\n";
    s += "compute pair_atoms all property/local patom1 patom2 cutoff radius\n";
    s += "thermo_style custom step time ke\nthermo_modify norm no flush yes\nthermo " + std::to_string(r.dumpEvery) +
         "\n";
    std::string walls;
    for (const char* fix : {"wall_sides", "wall_bottom", "wall_lid"})
        // Contact flag, force x and y, contact point x and y (the z parts are 0 in 2D).
        for (int k : {1, 2, 3, 5, 6}) walls += std::string(" f_") + fix + "[" + std::to_string(k) + "]";
    s += "dump particles all custom " + std::to_string(r.dumpEvery) + " " + kParticleDump +
         " id x y omegaz mass radius" + walls + "\n";
    s += "dump_modify particles sort id format float %.10g\n";
    s += "dump pairs all local " + std::to_string(r.dumpEvery) + " " + kPairDump +
         " c_pair_atoms[1] c_pair_atoms[2] c_pairs[1] c_pairs[2] c_pairs[3]\n";
    s += "dump_modify pairs format float %.10g\n\n";
    s += "run " + std::to_string(r.steps) + "\n";
    return s;
}

std::string bodyScript(const Packing& packing, const RunParameters& r) {
    int largest = 1;
    for (const PackedParticle& p : packing.particles)
        if (p.kind == ShapeKind::Polygon) largest = std::max(largest, p.nv);
    const double dampingMass =
        r.dampingRate * 0.5 * particleMass(packing.particles[packing.particles.size() / 2], r.density);
    const std::string wall = num(r.kn) + " " + num(dampingMass) + " " + num(0.5 * dampingMass);
    std::string s;
    s += "atom_style body rounded/polygon 1 " + std::to_string(largest) +
         "\natom_modify map array\ncomm_modify vel yes\n";
    s += std::string("read_data ") + kDataFile + "\n";
    s += "# Each body's angle as a rotation about z.\n";
    int id = 1;
    for (const PackedParticle& p : packing.particles)
        s += "set atom " + std::to_string(id++) + " quat 0 0 1 " + num(p.theta * 180.0 / kPi) + "\n";
    double smallestRounded = 1e300;
    for (const PackedParticle& p : packing.particles) smallestRounded = std::min(smallestRounded, roundedRadius(p, r));
    s += "neighbor " + num(0.5 * smallestRadius(packing)) + " bin\nneigh_modify every 1 delay 0 check yes\n\n";
    s += "pair_style body/rounded/polygon " + num(dampingMass) + " " + num(0.5 * dampingMass) + " " + num(r.friction) +
         " 1 " + num(smallestRounded) + "\n";
    s += "pair_coeff * * " + num(r.kn) + " 0\n\n";
    s += "# Walls: left and right, bottom; the lid is set again before every dump interval.\n";
    s += "fix wall_sides all wall/body/polygon " + wall + " xplane " + num(r.xlo) + " " + num(r.xhi) + "\n";
    s += "fix wall_bottom all wall/body/polygon " + wall + " yplane " + num(r.ylo) + " NULL\n";
    s += "fix gravity all gravity " + num(r.gravity) + " vector 0 -1 0\n";
    s += "fix motion all nve/body\nfix plane all enforce2d\n";
    s += "timestep " + num(r.dt) + "\n\n";
    s += "compute orientation all property/atom quatw quatk\n";
    s += "thermo_style custom step time ke\nthermo_modify norm no flush yes\nthermo " + std::to_string(r.dumpEvery) +
         "\n";
    s += "dump particles all custom " + std::to_string(r.dumpEvery) + " " + kParticleDump +
         " id x y c_orientation[1] c_orientation[2] mass radius\n";
    s += "dump_modify particles sort id format float %.10g\n\n";
    const long segments = (r.steps + r.dumpEvery - 1) / r.dumpEvery;
    s += "variable segment loop " + std::to_string(segments) + "\n";
    s += "label lid_segment\n";
    s += "variable lid_y equal " + num(r.yhi) + "-" + num(r.lidSpeed) + "*step*dt\n";
    s += "fix wall_lid all wall/body/polygon " + wall + " yplane NULL ${lid_y}\n";
    s += "run " + std::to_string(r.dumpEvery) + " pre no post no\n";
    s += "unfix wall_lid\nnext segment\njump SELF lid_segment\n";
    return s;
}

}  // namespace

double roundedRadius(const PackedParticle& particle, const RunParameters& parameters) {
    return particle.kind == ShapeKind::Disc ? particle.a : parameters.rounding * particle.b;
}

std::vector<Point> bodyVertices(const PackedParticle& particle, double rounded) {
    PackedParticle sampled = particle;
    sampled.nv = std::min(particle.nv, kMaxBodyVertices);
    std::vector<Point> vertices = outlinePoints(sampled);
    for (Point& v : vertices) {
        const double length = std::hypot(v.x, v.y);
        const double scale = (length - rounded) / length;
        v.x *= scale;
        v.y *= scale;
    }
    return vertices;
}

std::string lammpsDataText(const Packing& packing, const RunParameters& parameters) {
    return parameters.bodies ? bodyData(packing, parameters) : discData(packing, parameters);
}

std::string lammpsScriptText(const Packing& packing, const RunParameters& parameters) {
    std::string s = commentLines(parameters, packing);
    s += "\nunits si\ndimension 2\nboundary f f p\n";
    s += parameters.bodies ? bodyScript(packing, parameters) : discScript(packing, parameters);
    return s;
}

}  // namespace bridge
