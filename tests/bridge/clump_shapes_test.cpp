#include "bridge/clump_shapes.h"
#include "bridge/field_text.h"
#include "bridge/lammps_input.h"

#include <gtest/gtest.h>

#include <cmath>

namespace demrun {
namespace {

PackedParticle shape(double a, double b, int nv) {
    PackedParticle p;
    p.a = a;
    p.b = b;
    p.nv = nv;
    p.kind = ShapeKind::Polygon;
    return p;
}

// Each clump has the particle's mass, centre and moment of inertia (its discs counted as
// LAMMPS counts them, 2/5 m r^2 each), and its discs lie inside the drawn outline, close
// enough along it that no disc of another clump slips between two of them.
TEST(ClumpShapes, MassCentreAndInertiaAreTheSolidOutlinesAndTheSurfaceIsClosed) {
    const struct {
        const char* name;
        PackedParticle particle;
    } cases[] = {
        {"triangle", shape(0.2, 0.2, 3)},
        {"square", shape(0.5, 0.5, 4)},
        {"ellipse", shape(0.3, 0.12, 100)},
    };
    RunParameters r;
    r.density = 2000.0;
    r.rounding = 0.15;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Clump clump = clumpOf(c.particle, r);
        ASSERT_TRUE(clump.rigid);
        EXPECT_DOUBLE_EQ(clump.radius, 0.15 * c.particle.b);
        double mass = 0, mx = 0, my = 0, inertia = 0;
        for (const ClumpDisc& d : clump.discs) {
            EXPECT_GT(d.mass, 0.0);
            mass += d.mass;
            mx += d.mass * d.offset.x;
            my += d.mass * d.offset.y;
            inertia += d.mass * (d.offset.x * d.offset.x + d.offset.y * d.offset.y + 0.4 * clump.radius * clump.radius);
        }
        EXPECT_NEAR(mass, particleMass(c.particle, r.density), 1e-9 * mass);
        EXPECT_NEAR(mx, 0.0, 1e-9 * mass);
        EXPECT_NEAR(my, 0.0, 1e-9 * mass);
        EXPECT_NEAR(inertia, polygonInertia(outlinePoints(c.particle), r.density), 1e-9 * inertia);
        const double reach = std::max(c.particle.a, c.particle.b);
        for (std::size_t k = 1; k < clump.discs.size(); ++k) {
            const Point& p = clump.discs[k].offset;
            const Point& q = clump.discs[k + 1 < clump.discs.size() ? k + 1 : 1].offset;
            EXPECT_LE(std::hypot(p.x, p.y) + clump.radius, reach + 1e-12);
            EXPECT_LE(std::hypot(q.x - p.x, q.y - p.y), clump.radius + 1e-12);
        }
    }
}

// A needle of a particle would need hundreds of thousands of discs of its rounding.
TEST(ClumpShapes, AParticleFarLongerThanItsRoundingIsRefused) {
    RunParameters r;
    r.density = 2000.0;
    r.rounding = 0.15;
    EXPECT_THROW(clumpOf(shape(1447.0, 0.065, 4), r), InputError);
    r.rounding = 0.0;
    EXPECT_THROW(clumpOf(shape(0.5, 0.5, 4), r), InputError);
}

TEST(ClumpShapes, ThePoseComesBackFromTheDiscsPositions) {
    RunParameters r;
    r.density = 2000.0;
    r.rounding = 0.15;
    const Clump clump = clumpOf(shape(0.3, 0.12, 100), r);
    for (double theta : {0.0, 1.0, -2.5, 3.1}) {
        std::vector<Point> at;
        for (const ClumpDisc& d : clump.discs) at.push_back(discPosition(d, 4.0, -1.5, theta));
        const ClumpPose pose = clumpPose(clump, at);
        EXPECT_NEAR(pose.x, 4.0, 1e-12);
        EXPECT_NEAR(pose.y, -1.5, 1e-12);
        EXPECT_NEAR(pose.theta, theta, 1e-12);
    }
}

}  // namespace
}  // namespace demrun
