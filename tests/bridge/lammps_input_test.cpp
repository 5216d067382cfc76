#include "bridge/lammps_input.h"
#include "bridge/field_text.h"
#include "bridge/run_parameters.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace bridge {
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
        box({particle(0.5, 0.5, 20, ShapeKind::Disc, 1.0, 0.0), particle(0.25, 0.25, 20, ShapeKind::Disc, 2.0, 0.0)});
    ParameterChoice choice = readParameterText("friction = 0.3\nlid_speed = 0.125\n", "params.txt");
    const RunParameters r = deriveParameters(packing, choice);
    const std::string script = lammpsScriptText(packing, r);
    for (const char* line : {"dimension 2\n", "atom_style sphere\n", "fix plane all enforce2d\n",
                             "fix gravity all gravity 9.81 vector 0 -1 0\n", "#   friction = 0.3\n",
                             "#   lid speed (downwards) = 0.125\n", "variable lid_shift equal -0.125*time\n",
                             "region lid plane 0 4 0 0 -1 0 side in move NULL v_lid_shift NULL\n",
                             "compute pairs all pair/local force p10 p11 cutoff radius\n", "run 20000\n"})
        EXPECT_TRUE(contains(script, line)) << line;
    EXPECT_TRUE(contains(script, " xplane 0 3 contacts\n"));
    EXPECT_TRUE(contains(script, " yplane 0 NULL contacts\n"));

    // Each disc weighs its area times the density: the sphere style's volume density
    // is chosen so that 4/3 pi a^3 rho = density pi a^2.
    const std::string data = lammpsDataText(packing, r);
    std::istringstream rows(data.substr(data.find("Atoms # sphere\n\n") + 16));
    for (double a : {0.5, 0.25}) {
        int id = 0, type = 0;
        double diameter = 0, rho = 0;
        rows >> id >> type >> diameter >> rho;
        rows.ignore(1000, '\n');
        EXPECT_DOUBLE_EQ(diameter, 2.0 * a);
        EXPECT_NEAR(4.0 / 3.0 * kPi * a * a * a * rho, 2000.0 * kPi * a * a, 1e-6);
    }
}

TEST(LammpsInput, PolygonsMakeEveryParticleABodyTurnedByItsAngle) {
    const Packing packing =
        box({particle(0.5, 0.5, 4, ShapeKind::Polygon, 1.0, 0.5), particle(0.3, 0.3, 20, ShapeKind::Disc, 2.0, -0.25)});
    const RunParameters r = deriveParameters(packing, defaultParameters());
    ASSERT_TRUE(r.bodies);
    const std::string script = lammpsScriptText(packing, r);
    EXPECT_TRUE(contains(script, "atom_style body rounded/polygon 1 4\n"));
    EXPECT_TRUE(contains(script, "set atom 1 quat 0 0 1 28.6478897565\n"));  // 0.5 rad
    EXPECT_TRUE(contains(script, "set atom 2 quat 0 0 1 -14.3239448783\n"));
    EXPECT_TRUE(contains(script, "fix wall_lid all wall/body/polygon "));

    // The square: four vertices pulled in by the rounded radius (0.05 b), in-plane
    // moments twice izz so the body frame is the space frame; the disc: one vertex.
    const std::string data = lammpsDataText(packing, r);
    const std::string square = data.substr(data.find("Bodies\n\n") + 8);
    const double rounded = 0.05 * 0.5;
    const double side2 = 2.0 * 0.5 * 0.5;  // squared side of the square of circumradius 0.5
    const double mass = 2000.0 * side2;
    const double izz = mass * (side2 + side2) / 12.0;
    std::istringstream in(square);
    int id = 0, ints = 0, doubles = 0, vertices = 0;
    double i11 = 0, i22 = 0, i33 = 0, skip = 0, x0 = 0, y0 = 0, z0 = 0;
    in >> id >> ints >> doubles >> vertices >> i11 >> i22 >> i33 >> skip >> skip >> skip >> x0 >> y0 >> z0;
    EXPECT_EQ(vertices, 4);
    EXPECT_EQ(doubles, 6 + 3 * 4 + 1);
    EXPECT_NEAR(i33, izz, 1e-9);
    EXPECT_NEAR(i11, 2.0 * i33, 1e-9);
    EXPECT_NEAR(i22, 2.0 * i33, 1e-9);
    EXPECT_NEAR(x0, 0.5 - rounded, 1e-12);
    EXPECT_NEAR(y0, 0.0, 1e-12);
    EXPECT_TRUE(contains(data, "\n2 1 10\n1\n"));
}

TEST(LammpsInput, AnEllipsesHundredPointsAreSampledAtTheBodyLimit) {
    const Packing packing = box({particle(0.5, 0.3, 100, ShapeKind::Polygon, 1.0, 0.0)});
    const std::string data = lammpsDataText(packing, deriveParameters(packing, defaultParameters()));
    const std::string body = data.substr(data.find("Bodies\n\n") + 8);
    std::istringstream in(body);
    std::string line;
    int lines = 0;
    int vertices = 0;
    while (std::getline(in, line) && !line.empty()) {
        if (++lines == 2) vertices = std::stoi(line);
        EXPECT_LT(line.size(), 256u);  // LAMMPS reads lines of up to 256 characters
    }
    EXPECT_EQ(vertices, kMaxBodyVertices);
    EXPECT_LE(lines, 32);  // and up to 32 lines per body
}

}  // namespace
}  // namespace bridge
