#include "bridge/lammps_input.h"
#include "bridge/field_text.h"
#include "bridge/run_parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

namespace demrun {
namespace {

const double kPi = 3.14159265358979323846;

Packing box(std::vector<PackedParticle> particles) {
    Packing packing;
    packing.particles = std::move(particles);
    packing.walls = {{0, 4, 0, 0}, {0, 0, 3, 0}, {3, 0, 3, 4}, {3, 4, 0, 4}};
    return packing;
}

PackedParticle particle(double a, double b, int nv, ShapeKind kind, double x, double theta) {
    PackedParticle p;
    p.a = a;
    p.b = b;
    p.nv = nv;
    p.kind = kind;
    p.x = x;
    p.y = 1.0;
    p.theta = theta;
    return p;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(LammpsInput, DiscScriptIsTwoDimensionalWithWallsLidGravityAndTheChosenValues) {
    const Packing packing =
        box({particle(0.5, 0.5, 20, ShapeKind::Disc, 1.0, 0.75), particle(0.25, 0.25, 20, ShapeKind::Disc, 2.0, -2.0)});
    ParameterChoice choice = readParameterText("friction = 0.3\nlid_speed = 0.125\n", "params.txt");
    const RunParameters r = deriveParameters(packing, choice);
    const std::string script = lammpsScriptText(packing, r);
    for (const char* line :
         {"dimension 2\n", "atom_style hybrid sphere dipole\n", "processors * 1 1\n", "read_data packing.data\n",
          "fix motion discs nve/sphere update dipole disc\n", "fix plane all enforce2d\n",
          "fix spin all ave/atom 1 200 200 c_omega\n", "fix gravity all gravity 9.81 vector 0 -1 0\n",
          "#   friction = 0.3\n", "#   lid speed (downwards) = 0.125\n", "variable lid_shift equal -0.125*time\n",
          "region lid plane 0 4 0 0 -1 0 side in move NULL v_lid_shift NULL\n",
          "compute pairs all pair/local force p1 p2 p4 p10 p11 cutoff radius\n", " id x y mux muy f_spin mass radius ",
          "run 20000\n"})
        EXPECT_TRUE(contains(script, line)) << line;
    EXPECT_TRUE(contains(script, " xplane 0 3 contacts\n"));
    EXPECT_TRUE(contains(script, " yplane 0 NULL contacts\n"));
    EXPECT_FALSE(contains(script, "rigid"));

    // Each disc weighs its area times the density: the sphere style's volume density
    // is chosen so that 4/3 pi a^3 rho = density pi a^2. Its unit dipole points along its angle.
    const std::string data = lammpsDataText(packing, r);
    std::istringstream rows(data.substr(data.find("Atoms # hybrid\n\n") + 16));
    for (const PackedParticle& p : packing.particles) {
        int id = 0, type = 0;
        double x = 0, y = 0, z = 0, diameter = 0, rho = 0, q = 0, mux = 0, muy = 0;
        rows >> id >> type >> x >> y >> z >> diameter >> rho >> q >> mux >> muy;
        rows.ignore(1000, '\n');
        EXPECT_EQ(type, 1);
        EXPECT_DOUBLE_EQ(x, p.x);
        EXPECT_DOUBLE_EQ(diameter, 2.0 * p.a);
        EXPECT_NEAR(4.0 / 3.0 * kPi * p.a * p.a * p.a * rho, 2000.0 * kPi * p.a * p.a, 1e-6);
        EXPECT_NEAR(std::atan2(muy, mux), p.theta, 1e-11);
        EXPECT_NEAR(std::hypot(mux, muy), 1.0, 1e-11);
    }
}

TEST(LammpsInput, PolygonsRunAsRigidClumpsOfDiscsNumberedParticleByParticle) {
    const Packing packing =
        box({particle(0.5, 0.5, 4, ShapeKind::Polygon, 1.0, 0.5), particle(0.3, 0.3, 20, ShapeKind::Disc, 2.0, -0.25)});
    const RunParameters r = deriveParameters(packing, defaultParameters());
    ASSERT_TRUE(r.clumps);
    const std::string script = lammpsScriptText(packing, r);
    for (const char* line :
         {"fix clump_ids all property/atom mol ghost yes\n", "read_data packing.data fix clump_ids NULL Molecules\n",
          " exclude molecule/intra clumps\n", "fix clump_motion clumps rigid/small molecule\n",
          "fix motion discs nve/sphere update dipole disc\n"})
        EXPECT_TRUE(contains(script, line)) << line;
    // LAMMPS wants enforce2d after the rigid fix.
    EXPECT_LT(script.find("rigid/small"), script.find("enforce2d"));

    const std::vector<Clump> clumps = packingClumps(packing, r);
    const std::string data = lammpsDataText(packing, r);
    std::istringstream molecules(data.substr(data.find("Molecules\n\n") + 11));
    long atom = 0, molecule = 0, atoms = 0;
    for (std::size_t p = 0; p < clumps.size(); ++p)
        for (std::size_t d = 0; d < clumps[p].discs.size(); ++d) {
            ASSERT_TRUE(molecules >> atom >> molecule);
            EXPECT_EQ(atom, ++atoms);
            EXPECT_EQ(molecule, static_cast<long>(p) + 1);
        }
    EXPECT_TRUE(contains(data, std::to_string(atoms) + " atoms\n"));
    EXPECT_EQ(clumps[1].discs.size(), 1u);
    EXPECT_FALSE(clumps[1].rigid);
}

}  // namespace
}  // namespace demrun
