#include "bridge/lammps_input.h"

#include "bridge/clump_shapes.h"
#include "bridge/field_text.h"
#include "runfiles/constants.h"

#include <algorithm>
#include <cmath>

namespace demrun {

namespace {

using runfiles::kPi;

// Numbers in the LAMMPS files: twelve significant digits.
std::string num(double value) { return numberText(value, 12); }

double largestRadius(const Packing& packing) {
    double a = 0.0;
    for (const PackedParticle& p : packing.particles) a = std::max(a, p.a);
    return a;
}

// Box: the walls' rectangle with a margin, so no particle reaches a fixed boundary.
std::string boxLines(const Packing& packing, const RunParameters& r) {
    const double margin = 0.1 * std::max(r.xhi - r.xlo, r.yhi - r.ylo) + 2.0 * largestRadius(packing);
    const double depth = largestRadius(packing);
    return num(r.xlo - margin) + " " + num(r.xhi + margin) + " xlo xhi\n" + num(r.ylo - margin) + " " +
           num(r.yhi + margin) + " ylo yhi\n" + num(-depth) + " " + num(depth) + " zlo zhi\n";
}

double smallestDiscRadius(const std::vector<Clump>& clumps) {
    double smallest = clumps.front().radius;
    for (const Clump& c : clumps) smallest = std::min(smallest, c.radius);
    return smallest;
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
    line("overlap of the worst impact per disc radius (kn = auto)", r.impactOverlap);
    line("contact time of the lightest pair (s)", r.contactTime);
    line("steps per contact time", r.stepsPerContact);
    line("time step (s)", r.dt);
    line("steps", static_cast<double>(r.steps));
    line("dump every (steps)", static_cast<double>(r.dumpEvery));
    line("lid speed (downwards)", r.lidSpeed);
    if (r.clumps) line("disc radius of clumps per smaller semi-axis", r.rounding);
    return text;
}

}  // namespace

std::vector<Clump> packingClumps(const Packing& packing, const RunParameters& parameters) {
    std::vector<Clump> clumps;
    clumps.reserve(packing.particles.size());
    std::size_t total = 0;
    for (const PackedParticle& p : packing.particles) {
        try {
            clumps.push_back(clumpOf(p, parameters));
            total += clumps.back().discs.size();
            if (total > kMaxRunDiscs)
                throw InputError("the packing's clumps would need more than " + std::to_string(kMaxRunDiscs) +
                                 " discs; choose a larger rounding");
        } catch (const InputError& error) {
            throw InputError("particle " + std::to_string(clumps.size() + 1) + ": " + error.what());
        }
    }
    return clumps;
}

std::string lammpsDataText(const Packing& packing, const RunParameters& r) {
    const std::vector<Clump> clumps = packingClumps(packing, r);
    std::size_t atoms = 0;
    for (const Clump& c : clumps) atoms += c.discs.size();
    std::string text = "LAMMPS data file written by demrun: granular discs";
    text += r.clumps ? ", polygons as rigid clumps of discs\n\n" : "\n\n";
    text += std::to_string(atoms) + " atoms\n2 atom types\n\n" + boxLines(packing, r);
    text += "\nAtoms # hybrid\n\n";
    long id = 1;
    for (std::size_t k = 0; k < clumps.size(); ++k) {
        const PackedParticle& p = packing.particles[k];
        const Clump& clump = clumps[k];
        for (const ClumpDisc& disc : clump.discs) {
            // The sphere style takes a volume density (mass = 4/3 pi r^3 rho); this one gives
            // each disc its share of the particle's mass (density * area). A free disc's unit
            // dipole points along its angle; the integrator turns it with the disc.
            const double volumeDensity = disc.mass / (4.0 / 3.0 * kPi * std::pow(clump.radius, 3));
            const Point at = discPosition(disc, p.x, p.y, p.theta);
            text += std::to_string(id++) + (clump.rigid ? " 2 " : " 1 ") + num(at.x) + " " + num(at.y) + " 0 " +
                    num(2.0 * clump.radius) + " " + num(volumeDensity) + " 0 " +
                    (clump.rigid ? "0 0" : num(std::cos(p.theta)) + " " + num(std::sin(p.theta))) + " 0\n";
        }
    }
    if (r.clumps) {
        text += "\nMolecules\n\n";
        id = 1;
        for (std::size_t k = 0; k < clumps.size(); ++k)
            for (std::size_t d = 0; d < clumps[k].discs.size(); ++d)
                text += std::to_string(id++) + " " + std::to_string(k + 1) + "\n";
    }
    return text;
}

std::string lammpsScriptText(const Packing& packing, const RunParameters& r) {
    const std::vector<Clump> clumps = packingClumps(packing, r);
    std::string s = commentLines(r, packing);
    s += "\nunits si\ndimension 2\nboundary f f p\n";
    s += "atom_style hybrid sphere dipole\natom_modify map array\n";
    // Ghost atoms reach across a whole clump, so that every rank sees all of a clump it holds a disc of.
    const double skin = 0.5 * smallestDiscRadius(clumps);
    double extent = 0.0;
    for (const Clump& c : clumps)
        for (const ClumpDisc& d : c.discs) extent = std::max(extent, std::hypot(d.offset.x, d.offset.y) + c.radius);
    s += "comm_modify vel yes" + (r.clumps ? " cutoff " + num(2.0 * extent + 2.0 * skin) : std::string()) + "\n";
    s += "# Ranks split the box along x only, so that they share the bed.\nprocessors * 1 1\n";
    if (r.clumps) {
        s += "# Each particle is a molecule: a polygon's discs form one rigid clump.\n";
        s += "fix clump_ids all property/atom mol ghost yes\n";
        s += std::string("read_data ") + kDataFile + " fix clump_ids NULL Molecules\n";
    } else {
        s += std::string("read_data ") + kDataFile + "\n";
    }
    s += "group discs type 1\ngroup clumps type 2\n";
    s += "neighbor " + num(skin) + " bin\nneigh_modify every 1 delay 0 check yes" +
         (r.clumps ? " exclude molecule/intra clumps" : "") + "\n\n";
    const std::string contact = "hooke " + num(r.kn) + " " + num(r.dampingRate) +
                                " damping mass_velocity tangential linear_history " + num(r.kt) + " 0.5 ";
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
    s += "# Free discs turn with a disc's inertia (m r^2 / 2) and turn their dipole with them.\n";
    s += "fix motion discs nve/sphere update dipole disc\n";
    if (r.clumps) s += "fix clump_motion clumps rigid/small molecule\n";
    s += "fix plane all enforce2d\n";
    s += "timestep " + num(r.dt) + "\n\n";
    s += "# The mean spin over each dump interval picks the turn an angle lies in.\n";
    s += "compute omega all property/atom omegaz\n";
    s += "fix spin all ave/atom 1 " + std::to_string(r.dumpEvery) + " " + std::to_string(r.dumpEvery) + " c_omega\n";
    s += "# Normal force, tangential force (x, y, magnitude), centre line (x, y) of each disc contact.\n";
    s += "compute pairs all pair/local force p1 p2 p4 p10 p11 cutoff radius\n";
    s += "compute pair_atoms all property/local patom1 patom2 cutoff radius\n";
    // The kinetic energy of the discs' motion (thermo's ke goes through a temperature,
    // which rigid clumps in 2D leave without degrees of freedom).
    s += "compute kinetic all ke\nthermo_style custom step time c_kinetic\nthermo_modify norm no flush yes\nthermo " +
         std::to_string(r.dumpEvery) + "\n";
    std::string walls;
    for (const char* fix : {"wall_sides", "wall_bottom", "wall_lid"})
        // Contact flag, force x and y, contact point x and y (the z parts are 0 in 2D).
        for (int k : {1, 2, 3, 5, 6}) walls += std::string(" f_") + fix + "[" + std::to_string(k) + "]";
    s += "dump particles all custom " + std::to_string(r.dumpEvery) + " " + kParticleDump +
         " id x y mux muy f_spin mass radius" + walls + "\n";
    s += "dump_modify particles sort id format float %.10g\n";
    s += "dump pairs all local " + std::to_string(r.dumpEvery) + " " + kPairDump +
         " c_pair_atoms[1] c_pair_atoms[2] c_pairs[1] c_pairs[2] c_pairs[3] c_pairs[4] c_pairs[5] c_pairs[6]\n";
    s += "dump_modify pairs format float %.10g\n\n";
    s += "run " + std::to_string(r.steps) + "\n";
    return s;
}

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

}  // namespace demrun
