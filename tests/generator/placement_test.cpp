#include "generator/placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "generator/random_numbers.h"
#include "tests/generator/console_lines.h"

using namespace tessark;
using tessark::testing::exponentField;

namespace {

constexpr int kTrials = 50;

// A unit square, and one particle of radius 5 that cannot fit in it: the
// first pass of kTrials trials fails.
ControlRecord unitSquare(double axismean, double axissd) {
    ControlRecord c;
    c.xb = 1.0;
    c.yb = 1.0;
    c.ntrial = kTrials;
    c.axismean = axismean;
    c.axissd = axissd;
    c.wmean = 0.01;
    c.wsd = 0.001;
    return c;
}

// The pair drawn after the failed pass: after the angle and two values per trial.
void pairAfterFailedPass(double& z1, double& z2, double& theta) {
    std::ostringstream quiet;
    std::int32_t ir = 0;
    std::vector<double> uniforms(1 + 2 * kTrials);
    URAND1(static_cast<int>(uniforms.size()), uniforms.data(), ir, quiet);
    theta = uniforms[0] * 3.14159265 - 3.14159265 * 0.5;
    double pair[2];
    NRAND(2, pair, ir, quiet);
    z1 = pair[0];
    z2 = pair[1];
}

struct Placed {
    bool ok;
    Particle particle;
    std::string console, error;
};

Placed placeTooLargeParticle(const ControlRecord& c) {
    ParticleTable table(1);
    table[0].a = table[0].b = 5.0;
    std::istringstream operatorInput("7\n");
    std::ostringstream console;
    std::int32_t ir = 0;
    Placed result;
    result.ok = placeParticles(c, table, ir, operatorInput, console, OverlapSearch::Naive, result.error);
    result.particle = table[0];
    result.console = console.str();
    return result;
}

}  // namespace

// A' = exp(z1 - 1) * axissd + axismean, inverted when above 1;
// b = exp(z2 - 1) * wsd + wmean; a = b / A'.
TEST(Placement, FailedPassDrawsNewRadiiFromTheNextPair) {
    double z1 = 0, z2 = 0, theta = 0;
    pairAfterFailedPass(z1, z2, theta);
    struct Case {
        const char* name;
        double axismean, axissd;
        bool inverted;
    } cases[] = {{"aspect above 1 is inverted", 1.2, 0.1, true}, {"aspect below 1 is kept", 0.5, 0.1, false}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const double drawn = std::exp(z1 - 1.0) * k.axissd + k.axismean;
        ASSERT_EQ(drawn > 1.0, k.inverted);
        const double aspect = k.inverted ? 1.0 / drawn : drawn;
        const double b = std::exp(z2 - 1.0) * 0.001 + 0.01;
        const Placed placed = placeTooLargeParticle(unitSquare(k.axismean, k.axissd));
        ASSERT_TRUE(placed.ok) << placed.error;
        EXPECT_EQ(placed.particle.b, b);
        EXPECT_EQ(placed.particle.a, b / aspect);
        EXPECT_EQ(placed.particle.theta, theta);
        EXPECT_EQ(placed.console, " NUMBER OF PARTICLE=         1\n CAN NOT FIND ADIQUATE POSITION\n a,b=   " +
                                      exponentField(5.0) + "   " + exponentField(5.0) + "\n");
    }
}

TEST(Placement, NewRadiiWithoutAValueStopNamingTheControlValues) {
    const Placed flat = placeTooLargeParticle(unitSquare(0.0, 0.0));
    EXPECT_FALSE(flat.ok);
    EXPECT_EQ(flat.error,
              "the new radii of particle 1 after a failed pass cannot be computed from the aspect ratio 0; check "
              "axismean = 0 and axissd = 0");
    double z1 = 0, z2 = 0, theta = 0;
    pairAfterFailedPass(z1, z2, theta);
    ASSERT_TRUE(std::isinf(std::exp(z2 - 1.0) * 1.7e308));
    ControlRecord wide = unitSquare(1.0, 0.0);
    wide.wsd = 1.7e308;
    const Placed huge = placeTooLargeParticle(wide);
    EXPECT_FALSE(huge.ok);
    EXPECT_EQ(
        huge.error,
        "the new radii of particle 1 after a failed pass cannot be computed; check wmean = 0.01 and wsd = 1.7e+308");
}
