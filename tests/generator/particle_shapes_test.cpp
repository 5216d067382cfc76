#include "generator/particle_shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "generator/random_numbers.h"
#include "tests/generator/console_lines.h"

using namespace tessark;
using tessark::testing::linesOf;
using tessark::testing::numbersAfter;

namespace {

// The draws of a two-particle run from seed 0: the aspect block, the size
// block, then the first values of the re-draw pairs in the order taken.
struct Draws {
    double aspect[2];
    double size[2];
    double redraw[6];
};

Draws drawsOfTwoParticles() {
    std::ostringstream quiet;
    std::int32_t ir = 0;
    Draws d{};
    NRAND(2, d.aspect, ir, quiet);
    NRAND(2, d.size, ir, quiet);
    for (double& r : d.redraw) {
        double pair[2];
        NRAND(2, pair, ir, quiet);
        r = pair[0];
    }
    return d;
}

struct Generated {
    bool ok;
    ParticleTable table;
    std::string console, error;
};

Generated generate(const ControlRecord& c) {
    Generated g;
    std::int32_t ir = 0;
    std::ostringstream console;
    g.ok = generateParticles(c, 2, ir, g.table, console, g.error);
    g.console = console.str();
    return g;
}

ControlRecord discs(double wmean, double wsd, double sizemn, double sizemx) {
    ControlRecord c;
    c.ishape = 2;
    c.wmean = wmean;
    c.wsd = wsd;
    c.sizemn = sizemn;
    c.sizemx = sizemx;
    return c;
}

}  // namespace

// Normal sizes w = z + 1: the first particle's b is above sizemx once; the
// second draws a negative w, then b below sizemn, and so on. Only the sizemn
// line carries the last computed b (0 before the first) and sizemn.
TEST(ParticleShapes, SizeRejectionLinesAndTheirNumbers) {
    const Draws d = drawsOfTwoParticles();
    const double sizemn = 0.9, sizemx = 1.5;
    const auto b = [](double z) { return std::sqrt(z * 1.0 + 1.0); };
    ASSERT_GT(b(d.size[0]), sizemx);
    ASSERT_LT(d.size[1] + 1.0, 0.0);
    ASSERT_LT(b(d.redraw[1]), sizemn);
    ASSERT_LT(d.redraw[2] + 1.0, 0.0);
    ASSERT_LT(b(d.redraw[3]), sizemn);
    ASSERT_LT(d.redraw[4] + 1.0, 0.0);
    const Generated g = generate(discs(1.0, 1.0, sizemn, sizemx));
    ASSERT_TRUE(g.ok) << g.error;
    const std::vector<std::string> lines = linesOf(g.console);
    ASSERT_EQ(lines.size(), 6u) << g.console;
    EXPECT_EQ(lines[0], " greater than sizemx");
    const std::string less = " less than sizemn";
    const double expected[5][2] = {{0.0, sizemn},
                                   {b(d.redraw[1]), sizemn},
                                   {b(d.redraw[1]), sizemn},
                                   {b(d.redraw[3]), sizemn},
                                   {b(d.redraw[3]), sizemn}};
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(lines[static_cast<std::size_t>(k + 1)]);
        ASSERT_EQ(lines[static_cast<std::size_t>(k + 1)].rfind(less + " ", 0), 0u);
        const std::vector<double> values = numbersAfter(lines[static_cast<std::size_t>(k + 1)], less);
        ASSERT_EQ(values.size(), 2u);
        EXPECT_EQ(values[0], expected[k][0]);
        EXPECT_EQ(values[1], expected[k][1]);
    }
    // Discs: a = b = the accepted size, larger first.
    EXPECT_EQ(g.table[0].a, b(d.redraw[0]));
    EXPECT_EQ(g.table[1].a, b(d.redraw[5]));
    EXPECT_EQ(g.table[1].b, g.table[1].a);
}

// Ellipses with aspect ratio A = 0.2 z + 0.5 in [0.4, 0.6] and sizes
// B^2 = z + 4 up to sizemx 1.5: re-drawn aspect ratios keep the size drawn
// first, a re-drawn size keeps the accepted aspect ratio.
TEST(ParticleShapes, AspectAndSizeRejectionsAreIndependent) {
    const Draws d = drawsOfTwoParticles();
    ControlRecord c;
    c.ishape = 0;
    c.wmean = 4.0;
    c.wsd = 1.0;
    c.sizemn = 0.0;
    c.sizemx = 1.5;
    c.axismean = 0.5;
    c.axissd = 0.2;
    c.axismin = 0.4;
    c.axismx = 0.6;
    const auto aspect = [&](double z) { return z * 0.2 + 0.5; };
    const auto bigB = [&](double z) { return std::sqrt(z * 1.0 + 4.0); };
    // Particle 1: aspect below axismin, re-drawn; b above sizemx, size re-drawn.
    ASSERT_LT(aspect(d.aspect[0]), c.axismin);
    const double a1 = aspect(d.redraw[0]);
    ASSERT_GE(a1, c.axismin);
    ASSERT_LE(a1, c.axismx);
    ASSERT_GT(a1 * (bigB(d.size[0]) / std::sqrt(a1)), c.sizemx);
    ASSERT_LE(a1 * (bigB(d.redraw[1]) / std::sqrt(a1)), c.sizemx);
    // Particle 2: aspect above axismx, then below axismin three times.
    ASSERT_GT(aspect(d.aspect[1]), c.axismx);
    for (int k = 2; k <= 4; ++k) ASSERT_LT(aspect(d.redraw[k]), c.axismin);
    const double a2 = aspect(d.redraw[5]);
    ASSERT_GE(a2, c.axismin);

    const Generated g = generate(c);
    ASSERT_TRUE(g.ok) << g.error;
    EXPECT_EQ(g.console,
              " less than axismin\n greater than sizemx\n GREATER than axismx\n less than axismin\n"
              " less than axismin\n less than axismin\n");
    // Find each particle after sorting by its aspect ratio.
    const Particle& p1 = g.table[0].aspect == a1 ? g.table[0] : g.table[1];
    const Particle& p2 = g.table[0].aspect == a1 ? g.table[1] : g.table[0];
    EXPECT_EQ(p1.aspect, a1);
    EXPECT_EQ(p1.a, bigB(d.redraw[1]) / std::sqrt(a1));
    EXPECT_EQ(p1.b, a1 * p1.a);
    EXPECT_EQ(p2.aspect, a2);
    EXPECT_EQ(p2.a, bigB(d.size[1]) / std::sqrt(a2));
    EXPECT_EQ(p2.b, a2 * p2.a);
}

// Edge counts e = 2 z + 4.5 truncated, within [4, 4].
TEST(ParticleShapes, EdgeCountRejectionLines) {
    std::ostringstream quiet;
    std::int32_t ir = 0;
    double blocks[6];
    for (int block = 0; block < 3; ++block) NRAND(2, blocks + 2 * block, ir, quiet);
    const auto nedg = [](double z) { return static_cast<int>(std::trunc(z * 2.0 + 4.5)); };
    std::string expected;
    double edge[2] = {blocks[4], blocks[5]};
    for (double& z : edge) {
        while (nedg(z) != 4) {
            expected += nedg(z) < 4 ? " less than ndgmn\n" : " greater than ndgmx\n";
            double pair[2];
            NRAND(2, pair, ir, quiet);
            z = pair[0];
        }
    }
    ASSERT_NE(expected.find("less"), std::string::npos);
    ASSERT_NE(expected.find("greater"), std::string::npos);
    ControlRecord c = discs(1.0, 0.0, 0.0, 9.0);
    c.ishape = 1;
    c.ndgmean = 4.5;
    c.ndgsd = 2.0;
    c.ndgmn = 4;
    c.ndgmx = 4;
    const Generated g = generate(c);
    ASSERT_TRUE(g.ok) << g.error;
    EXPECT_EQ(g.console, expected);
    EXPECT_EQ(g.table[0].nedg, 4);
    // The square with the area of the unit disc: R = sqrt(2 pi / 4 / sin(pi / 2)).
    EXPECT_DOUBLE_EQ(g.table[0].a, std::sqrt(3.14159265 / 2.0));
}

// Sizes that are no number stop the run instead of reaching any file.
TEST(ParticleShapes, RadiiWithoutAValueStopNamingTheControlValues) {
    ControlRecord logNormal = discs(-1.0, 0.5, 0.0, 9.0);
    logNormal.isdist = 1;
    const Generated negative = generate(logNormal);
    EXPECT_FALSE(negative.ok);
    EXPECT_EQ(negative.error,
              "the radii of particle 1 cannot be computed from the drawn size; check wmean = -1 and wsd = 0.5");

    ControlRecord flat = discs(1.0, 0.0, 0.0, 9.0);
    flat.ishape = 0;
    flat.axismean = 0.0;
    flat.axissd = 0.0;
    flat.axismin = 0.0;
    flat.axismx = 1.0;
    const Generated zeroAspect = generate(flat);
    EXPECT_FALSE(zeroAspect.ok);
    EXPECT_EQ(zeroAspect.error,
              "the radii of particle 1 cannot be computed from the aspect ratio 0; check axismean = 0, axissd = 0 and "
              "axismin = 0");

    ControlRecord monogon = discs(1.0, 0.0, 0.0, 9.0);
    monogon.ishape = 1;
    monogon.ndgmean = 1.5;
    monogon.ndgmn = 1;
    monogon.ndgmx = 1;
    const Generated oneEdge = generate(monogon);
    EXPECT_FALSE(oneEdge.ok);
    EXPECT_EQ(oneEdge.error,
              "the polygon radius of particle 1 cannot be computed for nedg = 1; check ndgmn = 1, ndgmean and ndgsd");
    // An infinite b is only too large: drawn again like any other.
    ControlRecord huge = discs(1.0e308, 1.0, 0.0, 1.0e154);
    huge.isdist = 1;
    const Generated large = generate(huge);
    EXPECT_TRUE(large.ok) << large.error;
}

// Largest a first; equal radii (0 and -0 among them) keep the order in which
// they were generated, told apart here by their aspect.
TEST(ParticleShapes, SortKeepsGenerationOrderAmongEqualRadii) {
    const double radii[] = {1.0, 2.0, 1.0, 3.0, 2.0, 0.0, -0.0, 1.0, 0.0, 3.0};
    ParticleTable table;
    for (std::size_t i = 0; i < std::size(radii); ++i) {
        Particle p;
        p.a = radii[i];
        p.aspect = static_cast<double>(i);
        table.push_back(p);
    }
    sortBySize(table);
    const double order[] = {3, 9, 1, 4, 0, 2, 7, 5, 6, 8};
    ASSERT_EQ(table.size(), std::size(order));
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].aspect, order[i]) << "position " << i;
        EXPECT_EQ(table[i].sortedA, table[i].a);
    }
    EXPECT_TRUE(std::signbit(table[8].a));
}
