#include "runfiles/outline.h"

#include "runfiles/constants.h"

#include <gtest/gtest.h>

#include <cmath>

namespace runfiles {
namespace {

TEST(Outline, DrawnAnglesAddTheEightDecimalStep) {
    for (int nv : {3, 7, 20, 100}) {
        const OutlineAngles angles = drawnOutlineAngles(nv);
        ASSERT_EQ(angles.cosPhi.size(), static_cast<size_t>(nv) + 1);
        double phi = 0.0;
        for (int k = 0; k <= nv; ++k) {
            EXPECT_EQ(angles.cosPhi[static_cast<size_t>(k)], std::cos(phi)) << nv << " " << k;
            EXPECT_EQ(angles.sinPhi[static_cast<size_t>(k)], std::sin(phi)) << nv << " " << k;
            phi += 2.0 * kPiToEightDecimals / nv;
        }
    }
}

TEST(Outline, ExactAnglesUseTheExactPi) {
    for (int nv : {3, 7, 20, 100}) {
        const OutlineAngles angles = exactOutlineAngles(nv);
        ASSERT_EQ(angles.cosPhi.size(), static_cast<size_t>(nv) + 1);
        for (int k = 0; k <= nv; ++k) {
            EXPECT_EQ(angles.cosPhi[static_cast<size_t>(k)], std::cos(2.0 * kPi * k / nv)) << nv << " " << k;
            EXPECT_EQ(angles.sinPhi[static_cast<size_t>(k)], std::sin(2.0 * kPi * k / nv)) << nv << " " << k;
        }
        // The last angle closes the outline.
        EXPECT_NEAR(angles.cosPhi.back(), 1.0, 1e-15);
        EXPECT_NEAR(angles.sinPhi.back(), 0.0, 1e-15);
    }
    EXPECT_NE(kPi, kPiToEightDecimals);
    EXPECT_EQ(kPi, 3.14159265358979323846);
}

TEST(Outline, PointsAreTurnedAndMoved) {
    const struct {
        double a, b, cosPhi, sinPhi, x, y, theta;
        Point expected;
    } cases[] = {
        {2.0, 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, {2.0, 0.0}},        {2.0, 1.0, 0.0, 1.0, 0.0, 0.0, 0.0, {0.0, 1.0}},
        {2.0, 1.0, 1.0, 0.0, 5.0, -1.0, kPi / 2.0, {5.0, 1.0}}, {2.0, 1.0, 0.0, 1.0, 5.0, -1.0, kPi / 2.0, {4.0, -1.0}},
        {3.0, 3.0, -1.0, 0.0, 1.0, 1.0, kPi, {4.0, 1.0}},
    };
    for (const auto& c : cases) {
        const Point own = ownFramePoint(c.a, c.b, c.cosPhi, c.sinPhi);
        const Point p = placedPoint(own, c.x, c.y, std::cos(c.theta), std::sin(c.theta));
        EXPECT_NEAR(p.x, c.expected.x, 1e-12) << c.a << " " << c.theta;
        EXPECT_NEAR(p.y, c.expected.y, 1e-12) << c.a << " " << c.theta;
    }
}

}  // namespace
}  // namespace runfiles
