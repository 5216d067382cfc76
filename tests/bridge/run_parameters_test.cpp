#include "bridge/run_parameters.h"
#include "bridge/field_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace demrun {
namespace {

const double kPi = 3.14159265358979323846;

Packing twoDiscs(double a1, double a2) {
    Packing packing;
    for (double a : {a1, a2}) {
        PackedParticle p;
        p.a = p.b = a;
        p.x = p.y = 1.0;
        packing.particles.push_back(p);
    }
    packing.walls = {{0, 4, 0, 0}, {0, 0, 3, 0}, {3, 0, 3, 4}, {3, 4, 0, 4}};
    return packing;
}

TEST(RunParameters, FileOverridesDefaultsAndKeepsTheRest) {
    const ParameterChoice choice =
        readParameterText("# my run\nfriction = 0.3   # rough\n\n  steps=5000\nkn = 1e6\n", "params.txt");
    EXPECT_EQ(choice.values.at("friction"), "0.3");
    EXPECT_EQ(choice.values.at("steps"), "5000");
    EXPECT_EQ(choice.values.at("density"), "2000");
    EXPECT_EQ(choice.values.at("wall_friction"), "auto");
}

TEST(RunParameters, RefusesUnknownKeysAndBadValuesWithTheLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"frction = 0.3\n", "params.txt: line 1: unknown key 'frction'"},
        {"\nsteps 100\n", "params.txt: line 2: expected key = value"},
        {"density = heavy\n", "params.txt: line 1: 'density' needs a number >= 0, not 'heavy'"},
        {"density = auto\n", "'density' needs a number >= 0, not 'auto'"},
        {"kn = -5\n", "'kn' needs a number >= 0 or auto, not '-5'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            readParameterText(c.text, "params.txt");
            ADD_FAILURE() << "no error";
        } catch (const InputError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

TEST(RunParameters, TimeStepComesFromTheLightestPairsContactTime) {
    ParameterChoice choice = defaultParameters();
    choice.values["kn"] = "1000";
    choice.values["density"] = "10";
    choice.values["steps_per_contact"] = "25";
    const RunParameters r = deriveParameters(twoDiscs(0.5, 0.2), choice);
    const double lightest = 10.0 * kPi * 0.2 * 0.2;
    EXPECT_NEAR(r.contactTime, kPi * std::sqrt(0.5 * lightest / 1000.0), 1e-12);
    EXPECT_NEAR(r.dt, r.contactTime / 25.0, 1e-15);
    EXPECT_DOUBLE_EQ(r.kt, 1000.0 * 2.0 / 7.0);
    EXPECT_DOUBLE_EQ(r.wallFriction, r.friction);
    EXPECT_FALSE(r.clumps);
    // The rectangle of the walls.
    EXPECT_DOUBLE_EQ(r.xhi, 3.0);
    EXPECT_DOUBLE_EQ(r.yhi, 4.0);
    // Auto lid speed: a tenth of the height over the whole run.
    EXPECT_NEAR(r.lidSpeed * static_cast<double>(r.steps) * r.dt, 0.4, 1e-9);
}

TEST(RunParameters, DampingGivesTheRestitutionOfTheMedianPair) {
    ParameterChoice choice = defaultParameters();
    choice.values["kn"] = "1000";
    choice.values["restitution"] = "0.5";
    const RunParameters r = deriveParameters(twoDiscs(0.5, 0.5), choice);
    // Damped oscillator of the effective mass: e = exp(-pi zeta / sqrt(1 - zeta^2)).
    const double meff = 0.5 * 2000.0 * kPi * 0.25;
    const double zeta = r.dampingRate / (2.0 * std::sqrt(1000.0 / meff));
    EXPECT_NEAR(std::exp(-kPi * zeta / std::sqrt(1.0 - zeta * zeta)), 0.5, 1e-9);
}

// kn = auto is the stiffer of two: the chosen overlap under the packing's weight, and the
// chosen overlap of a fall from the box height (4, under gravity 9.81) onto one disc.
TEST(RunParameters, AutoStiffnessKeepsBothTheWeightsAndTheWorstImpactsOverlap) {
    const double mass = 2000.0 * kPi * 0.25;
    const double weight = 2.0 * mass * 9.81;
    const double fall = 2.0 * 9.81 * 4.0;  // squared speed after falling the box height
    const struct {
        const char* file;
        double overlapUnderWeight;  // per radius 0.5
        double impactOverlap;
    } cases[] = {
        // A bottom particle of diameter 2a carries weight / width * 2a; its overlap is 0.01 a.
        {"overlap = 0.01\nimpact_overlap = 1e6\n", 0.01, -1},
        // The impact sets kn: m v^2 = kn d^2 with d = 0.2 a.
        {"overlap = 0.01\nimpact_overlap = 0.2\n", -1, 0.2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const RunParameters r = deriveParameters(twoDiscs(0.5, 0.5), readParameterText(c.file, "params.txt"));
        if (c.overlapUnderWeight > 0) {
            EXPECT_NEAR(weight / 3.0 * 2.0 * 0.5 / r.kn, c.overlapUnderWeight * 0.5, 1e-12);
        } else {
            EXPECT_NEAR(std::sqrt(mass * fall / r.kn), c.impactOverlap * 0.5, 1e-12);
        }
    }
}

// Parameter files whose values are numbers but overflow or underflow on the way to the
// time step. Two discs of radius 0.5 in a 3-wide box, default density 2000: m = 500 pi.
TEST(RunParameters, ChoicesThatGiveNoFiniteValueAreRefusedNamingTheValue) {
    const struct {
        const char* file;
        const char* named;  // empty: the run can be made
    } cases[] = {
        {"density = 1.7e308\n", "the total mass = inf"},             // 2 * 1.7e308 * pi / 4 overflows
        {"gravity = 1e308\n", "kn = inf"},                           // the weight overflows
        {"kn = 1e-320\n", "the contact time = inf"},                 // sqrt(m / kn) overflows
        {"density = 1e-300\nkn = 1e308\n", "the contact time = 0"},  // sqrt(m / kn) underflows
        {"lid_speed = 1e308\n", "kn = inf"},                         // an impact at that speed
        {"steps_per_contact = 1e308\n", ""},                         // extreme, but a number
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const ParameterChoice choice = readParameterText(c.file, "params.txt");
        if (*c.named == '\0') {
            EXPECT_NO_THROW(deriveParameters(twoDiscs(0.5, 0.5), choice));
            continue;
        }
        try {
            deriveParameters(twoDiscs(0.5, 0.5), choice);
            ADD_FAILURE() << "no error";
        } catch (const InputError& error) {
            EXPECT_EQ(std::string(error.what()), std::string("the parameters give ") + c.named +
                                                     ", which a run cannot use; check density, gravity, kn, overlap, "
                                                     "steps_per_contact, steps and lid_speed");
        }
    }
}

TEST(RunParameters, WallsMustBeARectanglesFourSides) {
    Packing packing = twoDiscs(0.5, 0.5);
    packing.walls[1] = {0, 0, 3, 1};
    EXPECT_THROW(deriveParameters(packing, defaultParameters()), InputError);
    packing.walls.pop_back();
    EXPECT_THROW(deriveParameters(packing, defaultParameters()), InputError);
}

TEST(RunParameters, SetupTextRoundTrips) {
    ParameterChoice choice = defaultParameters();
    choice.values["lid_speed"] = "0.25";
    Packing packing = twoDiscs(0.5, 0.3);
    packing.particles[1].nv = 5;
    packing.particles[1].kind = ShapeKind::Polygon;
    const RunParameters r = deriveParameters(packing, choice);
    const RunParameters back = readSetupText(setupText(r), "demrun.setup");
    EXPECT_TRUE(back.clumps);
    EXPECT_DOUBLE_EQ(back.impactOverlap, 0.2);
    EXPECT_NEAR(back.kn, r.kn, r.kn * 1e-9);
    EXPECT_NEAR(back.dt, r.dt, r.dt * 1e-9);
    EXPECT_EQ(back.dumpEvery, r.dumpEvery);
    EXPECT_DOUBLE_EQ(back.lidSpeed, 0.25);
    EXPECT_DOUBLE_EQ(back.yhi, 4.0);
}

}  // namespace
}  // namespace demrun
