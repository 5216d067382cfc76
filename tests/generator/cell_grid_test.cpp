#include "generator/cell_grid.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

using namespace tessark;

namespace {

// The question the grid answers, asked of every placed circle.
bool overlapsByScan(double x, double y, double a, const ParticleTable& placed) {
    for (const Particle& q : placed) {
        const double sum = q.a + a;
        if (!((y - q.y) * (y - q.y) + (x - q.x) * (x - q.x) >= sum * sum)) return true;
    }
    return false;
}

Particle circle(double x, double y, double a) {
    Particle p;
    p.x = x;
    p.y = y;
    p.a = p.b = a;
    return p;
}

struct Layout {
    const char* name;
    double largestRadius;          // the grid's cell is twice this
    std::vector<Particle> placed;  // in the order inserted
};

// Circles of radius 0.05 over the unit square, and within one cell a cluster
// of tiny ones, more than a cell keeps in itself, so the trials read the
// cells' further circles too.
Layout withCluster(const char* name, int tiny) {
    Layout layout{name, 0.05, {}};
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) layout.placed.push_back(circle(0.05 + 0.1 * i, 0.05 + 0.1 * j, 0.03));
    for (int k = 0; k < tiny; ++k) layout.placed.push_back(circle(0.31 + 0.0031 * k, 0.32 + 0.0017 * k, 0.001));
    return layout;
}

}  // namespace

// Trials at random points and radii, and just beside each placed circle,
// get the same answer from the grid as from the full scan.
TEST(CellGrid, AnswersAsTheScanOverAllPlacedCircles) {
    const Layout layouts[] = {
        withCluster("lattice alone", 0),
        withCluster("three circles in one cell", 2),
        withCluster("a cluster of twelve tiny circles in one cell", 12),
        // Circles placed later larger than the cells were sized for.
        {"radii beyond the sized one", 0.01, {circle(0.5, 0.5, 0.2), circle(0.1, 0.1, 0.05), circle(0.9, 0.2, 0.001)}},
    };
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        CellGrid grid(0.0, 1.0, 0.0, 1.0, layout.largestRadius, layout.placed.size());
        for (const Particle& p : layout.placed) grid.insert(p);
        int overlapping = 0, clear = 0;
        const auto check = [&](double x, double y, double a) {
            const bool expected = overlapsByScan(x, y, a, layout.placed);
            (expected ? overlapping : clear)++;
            ASSERT_EQ(grid.overlapsAny(x, y, a), expected) << x << ' ' << y << ' ' << a;
        };
        for (int t = 0; t < 20000; ++t) check(unit(random), unit(random), 0.002 * unit(random));
        for (const Particle& q : layout.placed) {
            // Touching from the right: distance equal to the sum is no overlap;
            // a little closer is.
            check(q.x + q.a + 0.001, q.y, 0.001);
            check(q.x + q.a + 0.0009, q.y, 0.001);
        }
        // Both answers occur, so neither a grid that always says yes nor one
        // that always says no passes.
        EXPECT_GT(overlapping, 0);
        EXPECT_GT(clear, 0);
    }
}
