#include "bridge/packing_input.h"
#include "bridge/field_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace demrun {
namespace {

// The walls and parameter block after the particles, in each layout.
const std::string kWallsLong =
    " 0 4 0 0 2000 1000\n 0 0 3 0 2000 1000\n 3 0 3 4 2000 1000\n 3 4 0 4 2000 1000\n"
    " 1000\n 0.025 9800\n 0.5 0.5 0\n 0 9.6e8 2.4e8\n";
const std::string kWallsOld =
    " 0 4 0 0\n 0 0 3 0\n 3 0 3 4\n 3 4 0 4\n 1000\n 0.025 9800\n 0.5 0.5 0\n 0 9.6e8 2.4e8\n 2000 1000\n";

struct LayoutCase {
    const char* name;
    std::string text;
    RecordLayout layout;
    ShapeKind first;
    int firstVertices;
    ShapeKind second;
    int secondVertices;
};

const LayoutCase kLayouts[] = {
    {"long records: a polygon and a circle marked by 100 vertices",
     " 2 4 2e-6 0\n 0.2D+00 0.2D+00 0.2D+04 0.1D+04 5\n 1 1 0.3\n 1 1 0.3\n"
     " 0.1D+00 0.1D+00 0.2D+04 0.1D+04 100\n 2 1 0\n 2 1 0\n" +
         kWallsLong,
     RecordLayout::Long, ShapeKind::Polygon, 5, ShapeKind::Disc, 100},
    {"long records: an ellipse is the polygon of its outline points",
     " 2 4 2e-6 0\n 0.2 0.1 2000 1000 100\n 1 1 0.3\n 1 1 0.3\n 0.2 0.2 2000 1000 100\n 2 1 0\n 2 1 0\n" + kWallsLong,
     RecordLayout::Long, ShapeKind::Polygon, 100, ShapeKind::Disc, 100},
    {"short records, commas and split lines",
     " 2, 4, 2e-6, 0\n 0.2, 0.1, 2000,\n 1000\n 1 1 0.3 1 1 0.3\n 0.1 0.1 2000 1000\n 2 1 0\n 2 1 0\n" + kWallsLong,
     RecordLayout::Short, ShapeKind::Polygon, 20, ShapeKind::Disc, 20},
    {"old layout of discs", " 0\n 2 4 2e-6 0\n 0.2\n 1 1 0.3\n 1 1 0.3\n 0.1\n 2 1 0\n 2 1 0\n" + kWallsOld,
     RecordLayout::Old, ShapeKind::Disc, 20, ShapeKind::Disc, 20},
};

class PackingLayouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PackingLayouts, ReadsShapesPosesWallsAndParameters) {
    const LayoutCase& c = GetParam();
    const Packing packing = readPacking(c.text, "newin.dat");
    EXPECT_EQ(packing.layout, c.layout);
    ASSERT_EQ(packing.particles.size(), 2u);
    EXPECT_EQ(packing.particles[0].kind, c.first);
    EXPECT_EQ(packing.particles[0].nv, c.firstVertices);
    EXPECT_EQ(packing.particles[1].kind, c.second);
    EXPECT_EQ(packing.particles[1].nv, c.secondVertices);
    EXPECT_DOUBLE_EQ(packing.particles[0].a, 0.2);
    EXPECT_DOUBLE_EQ(packing.particles[0].theta, 0.3);
    EXPECT_DOUBLE_EQ(packing.particles[1].x, 2.0);
    ASSERT_EQ(packing.walls.size(), 4u);
    EXPECT_DOUBLE_EQ(packing.walls[3].y1, 4.0);
    EXPECT_DOUBLE_EQ(packing.dt, 2e-6);
    EXPECT_DOUBLE_EQ(packing.nloop, 1000.0);
}

INSTANTIATE_TEST_SUITE_P(Bridge, PackingLayouts, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                             return name;
                         });

struct BadCase {
    const char* name;
    std::string text;
    const char* message;  // part of the error text
};

const BadCase kBad[] = {
    {"empty file", "", "newin.dat: ends before the first field"},
    {"letters in a pose", " 1 4 2e-6 0\n 0.2 0.2 2000 1000 5\n 1 1 x\n",
     "newin.dat: line 3: a particle's first pose is not a number: 'x'"},
    {"file cut in the walls", " 1 4 2e-6 0\n 0.2 0.2 2000 1000 5\n 1 1 0\n 1 1 0\n 0 4 0 0 2000 1000\n",
     "newin.dat: ends before a wall's x1"},
    // An ellipse of aspect ratio 4 written by the generator: b = 4 a.
    {"b above a", " 2 4 2e-6 0\n 0.2 0.2 2000 1000 5\n 1 1 0\n 1 1 0\n 0.05 0.2 2000 1000 100\n 2 2 0\n 2 2 0\n",
     "newin.dat: particle 2 has radii a = 0.05 and b = 0.2; demrun needs a >= b > 0 (for ellipses from tessark: axismx "
     "at most 1)"},
    // Counts the text does not back: room is made for what it holds, and reading stops where it ends.
    {"more particles than the file holds", " 2147483647 0 2e-6 0\n 0.2 0.2 2000 1000 5\n 1 1 0\n 1 1 0\n",
     "newin.dat: ends before a particle's radius a"},
    {"more walls than the file holds", " 1 2147483647 2e-6 0\n 0.2 0.2 2000 1000 5\n 1 1 0\n 1 1 0\n",
     "newin.dat: ends before a wall's x1"},
    {"a count beyond 32 bits", " 2147483648 4 2e-6 0\n",
     "newin.dat: line 1: the particle count 2147483648 is beyond 2147483647"},
    {"trailing fields", " 0\n 1 4 2e-6 0\n 0.2\n 1 1 0\n 1 1 0\n" + kWallsOld + " 7\n",
     "more fields than the layout holds"},
};

TEST(PackingInput, RefusesMalformedFilesNamingWhatFailed) {
    for (const BadCase& c : kBad) {
        SCOPED_TRACE(c.name);
        try {
            readPacking(c.text, "newin.dat");
            ADD_FAILURE() << "no error";
        } catch (const InputError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

TEST(PackingInput, MissingFileIsAnInputError) { EXPECT_THROW(readPackingFile("/nonexistent/newin.dat"), InputError); }

TEST(PackingInput, OutlinePointsAreTheViewersEllipseSamples) {
    PackedParticle p;
    p.a = 2.0;
    p.b = 1.0;
    p.nv = 4;
    const std::vector<Point> points = outlinePoints(p);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_DOUBLE_EQ(points[0].x, 2.0);
    EXPECT_NEAR(points[1].y, 1.0, 1e-12);
    EXPECT_NEAR(points[2].x, -2.0, 1e-12);
    EXPECT_NEAR(points[3].y, -1.0, 1e-12);
}

}  // namespace
}  // namespace demrun
