#include "generator/packing_files.h"
#include "generator/packing_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "tests/generator/console_lines.h"

using namespace tessark;
using tessark::testing::exponentField;
using tessark::testing::linesOf;
using tessark::testing::numbersAfter;

namespace {

constexpr double kPiValue = 3.14159265;

Particle particle(double a, double aspect, std::int32_t nedg = 0) {
    Particle p;
    p.a = a;
    p.b = aspect * a;
    p.aspect = aspect;
    p.nedg = nedg;
    p.sortedA = a;
    return p;
}

std::vector<std::string> statisticsLines(const ControlRecord& c, const ParticleTable& table) {
    return linesOf(statisticsText(c, table, computeStatistics(c, table)));
}

// Numbers of a free-format line (no label).
std::vector<double> numbers(const std::string& line) { return numbersAfter(line, ""); }

}  // namespace

// Three ellipses, largest a first: a = 2, 1.6, 1 with aspect ratios 0.9,
// 0.5, 0.72. Size classes run from rsmin = 1 - 0.05 = 0.95 to
// rsmax = 2 + 0.05 = 2.05 in steps of dr = 1.1 / 50 = 0.022.
TEST(StatisticsFile, ClassBoundsFractionsAndHistogramsOfEllipses) {
    ControlRecord c;
    c.ishape = 0;
    c.axismin = 0.4;
    const ParticleTable table{particle(2.0, 0.9), particle(1.6, 0.5), particle(1.0, 0.72)};
    const double rsmin = 1.0 - 0.05 * (2.0 - 1.0);
    const double rsmax = 2.0 + 0.05 * (2.0 - 1.0);
    const double dr = (rsmax - rsmin) / 50;
    const double area[3] = {kPiValue * 2.0 * 1.8, kPiValue * 1.6 * 0.8, kPiValue * 1.0 * 0.72};
    const double sums = area[0] + area[1] + area[2];
    // Weight classes by sqrt(a b): sqrt(3.6) = 1.897 is in class 44
    // ((1.897 - 0.95) / 0.022 = 43.05), sqrt(1.28) = 1.131 in class 9 (8.25),
    // sqrt(0.72) = 0.849 below rsmin in none. Diameter classes by a: 2 in
    // class 48 (47.7), 1.6 in class 30 (29.5), 1 in class 3 (2.27).
    double weight[51] = {};
    weight[44] = area[0];
    weight[9] = area[1];
    int diameterCount[51] = {};
    diameterCount[48] = diameterCount[30] = diameterCount[3] = 1;

    const std::vector<std::string> lines = statisticsLines(c, table);
    ASSERT_EQ(lines.size(), 1u + 1 + 1 + 50 + 1 + 1 + 1 + 1 + 50 + 1 + 1 + 1 + 50 + 1);
    EXPECT_EQ(lines[0], " SUM OF S=   " + exponentField(sums));
    EXPECT_EQ(lines[1], " Distribution of the weight");
    EXPECT_EQ(lines[2], " rsmin*2=   " + exponentField(2 * rsmin));
    double running = 0.0;
    for (int k = 1; k <= 50; ++k) {
        SCOPED_TRACE("weight class " + std::to_string(k));
        running += weight[k];
        const std::vector<double> v = numbers(lines[static_cast<std::size_t>(2 + k)]);
        ASSERT_EQ(v.size(), 3u);
        EXPECT_DOUBLE_EQ(v[0], 2 * (k * dr + rsmin));
        EXPECT_DOUBLE_EQ(v[1], weight[k] / sums);
        EXPECT_DOUBLE_EQ(v[2], running / sums);
    }
    EXPECT_EQ(lines[53], " rsmax*2=   " + exponentField(2 * rsmax));
    const std::vector<double> totals = numbersAfter(lines[54], " sums, tarea2");
    ASSERT_EQ(totals.size(), 2u);
    EXPECT_DOUBLE_EQ(totals[0], sums);
    EXPECT_DOUBLE_EQ(totals[1], area[0] + area[1]);  // the smallest is in no class
    EXPECT_EQ(lines[55], " distribution of circumscribed diameter Dc");
    EXPECT_EQ(lines[56], " rsmin*2=   " + exponentField(2 * rsmin));
    int counted = 0;
    for (int k = 1; k <= 50; ++k) {
        SCOPED_TRACE("diameter class " + std::to_string(k));
        counted += diameterCount[k];
        const std::vector<double> v = numbers(lines[static_cast<std::size_t>(56 + k)]);
        ASSERT_EQ(v.size(), 3u);
        EXPECT_DOUBLE_EQ(v[0], 2 * (k * dr + rsmin));
        EXPECT_EQ(v[1], diameterCount[k] / 3.0);
        EXPECT_EQ(v[2], counted / 3.0);
    }
    EXPECT_EQ(lines[107], " rsmax*2=   " + exponentField(2 * rsmax));

    // Aspect classes from 0.4 to 1 in steps of 0.012: 0.9 in class 42
    // ((0.9 - 0.4) / 0.012 = 41.7), 0.5 in class 9 (8.3), 0.72 in class 27 (26.7).
    EXPECT_EQ(lines[108], " Distribution of aspect ratio");
    EXPECT_EQ(lines[109], " axismin=   " + exponentField(0.4));
    int aspectCount[51] = {};
    aspectCount[42] = aspectCount[9] = aspectCount[27] = 1;
    int total = 0;
    for (int k = 1; k <= 50; ++k) {
        SCOPED_TRACE("aspect class " + std::to_string(k));
        total += aspectCount[k];
        char expected[64];
        std::snprintf(expected, sizeof expected, " %s   %10d   %10d",
                      exponentField(k * ((1.0 - 0.4) / 50) + 0.4, 13, 6).c_str(), aspectCount[k], total);
        EXPECT_EQ(lines[static_cast<std::size_t>(109 + k)], expected);
    }
    EXPECT_EQ(lines[160], " axismx=   " + exponentField(1.0));
}

// Polygons: one line per edge count from ndgmn to ndgmx, with the running total.
TEST(StatisticsFile, EdgeCountTableOfPolygons) {
    ControlRecord c;
    c.ishape = 1;
    c.ndgmn = 3;
    c.ndgmx = 6;
    const ParticleTable table{particle(2.0, 1.0, 5), particle(1.5, 1.0, 3), particle(1.0, 1.0, 5)};
    const std::vector<std::string> lines = statisticsLines(c, table);
    ASSERT_EQ(lines.size(), 108u + 3 + 4);
    EXPECT_EQ(lines[108], " distribution of nedg");
    EXPECT_EQ(lines[109], " the minimum number of nedg=         3");
    EXPECT_EQ(lines[110], " the maximum number of nedg=         6");
    EXPECT_EQ(lines[111], "          3            1            1");
    EXPECT_EQ(lines[112], "          4            0            1");
    EXPECT_EQ(lines[113], "          5            2            3");
    EXPECT_EQ(lines[114], "          6            0            3");
}

// A polygon whose radius was replaced after a failed pass still counts in
// the weight class of the radius it was sorted with, and in the diameter
// class of its new radius.
TEST(StatisticsFile, ReplacedPolygonWeighsByItsSortedRadius) {
    ControlRecord c;
    c.ishape = 1;
    ParticleTable table{particle(2.0, 1.0, 3), particle(1.2, 1.0, 3), particle(1.0, 1.0, 3)};
    table[1].a = table[1].b = 1.9;  // sorted with 1.2
    const PackingStatistics s = computeStatistics(c, table);
    // Classes from 0.95 by 0.022: 1.2 in class 12 ((1.2 - 0.95) / 0.022 = 11.4),
    // 1.9 in class 44 (43.2), 2 in class 48 (47.7), 1 in class 3 (2.3).
    EXPECT_DOUBLE_EQ(s.weight[11], kPiValue * 1.9 * 1.9);
    EXPECT_EQ(s.counts[11], 0);
    EXPECT_EQ(s.weight[43], 0.0);
    EXPECT_EQ(s.counts[43], 1);
    EXPECT_DOUBLE_EQ(s.weight[47], kPiValue * 2.0 * 2.0);
    EXPECT_DOUBLE_EQ(s.weight[2], kPiValue * 1.0 * 1.0);
}

TEST(StatisticsFile, StatisticsWithoutANumberAreNamed) {
    ControlRecord c;
    c.wmean = 0.0;
    c.wsd = 0.5;
    c.sizemn = 0.0;
    c.sizemx = 1.0;
    const ParticleTable zero{particle(0.0, 1.0), particle(0.0, 1.0)};
    EXPECT_EQ(statisticsProblem(c, zero, computeStatistics(c, zero)),
              "the particles have no area (SUM OF S= 0), so the weight fractions cannot be computed; check wmean = 0, "
              "wsd = 0.5, sizemn = 0 and sizemx = 1");
    const ParticleTable huge{particle(1.0e200, 1.0), particle(1.0e200, 1.0)};
    EXPECT_EQ(statisticsProblem(c, huge, computeStatistics(c, huge)),
              "the total area of the particles (SUM OF S= inf) is beyond the range of a real; check wmean = 0, "
              "wsd = 0.5, sizemn = 0 and sizemx = 1");
    // Areas pi 1e300 and -pi 1e300 cancel, leaving a tiny total that the
    // first class's weight overflows when divided by it.
    ParticleTable cancelling{particle(1.0e150, 1.0), particle(-1.0e150, -1.0), particle(1.0, 1.0e-10)};
    EXPECT_EQ(statisticsProblem(c, cancelling, computeStatistics(c, cancelling)),
              "the size classes from the largest a = 1e+150 to the smallest a = 1 cannot be computed; check wmean = 0, "
              "wsd = 0.5, sizemn = 0 and sizemx = 1");
    const ParticleTable fine{particle(2.0, 1.0), particle(1.0, 1.0)};
    EXPECT_EQ(statisticsProblem(c, fine, computeStatistics(c, fine)), "");
}

namespace {

// The first of the 50 classes [k * width + low, (k + 1) * width + low) that
// holds the value, looked for in every class.
int classByScan(double value, double low, double width) {
    for (int k = 0; k < kStatisticsClasses; ++k) {
        if (static_cast<double>(k) * width + low <= value && value < static_cast<double>(k + 1) * width + low) return k;
    }
    return -1;
}

}  // namespace

// Values at, beside, between and beyond the class bounds fall in the class
// that the scan over all classes finds, whatever the classes' low end and width.
TEST(StatisticsFile, ClassOfIsTheFirstClassHoldingTheValue) {
    const struct {
        const char* name;
        double low, width;
        bool holding;  // the classes hold values (their bounds differ)
    } classes[] = {
        {"sizes from 0.95 by 0.022", 0.95, 0.022, true},
        {"aspect ratios from 0.3", 0.3, (1.0 - 0.3) / 50, true},
        {"widths that do not add up exactly", 0.1, 0.1, true},
        {"negative low end", -3.7, 0.13, true},
        {"width lost against the low end", 1.0, 1e-300, false},
        {"width whose upper classes overflow", -1e308, 1e307, true},
        {"zero width", 0.5, 0.0, false},
        {"negative width", 1.0, -0.02, false},
        {"no width", 1.0, std::nan(""), false},
        {"infinite width", 0.0, INFINITY, false},
        {"no low end", std::nan(""), 0.1, false},
    };
    for (const auto& k : classes) {
        SCOPED_TRACE(k.name);
        std::vector<double> values{k.low, -k.low, 0.0, -0.0, INFINITY, -INFINITY, std::nan(""), 1e300, -1e300};
        for (int c = -2; c <= kStatisticsClasses + 2; ++c) {
            const double bound = static_cast<double>(c) * k.width + k.low;
            values.insert(values.end(), {bound, std::nextafter(bound, INFINITY), std::nextafter(bound, -INFINITY),
                                         bound + 0.5 * k.width, bound + 0.999 * k.width});
        }
        int held = 0;
        for (const double v : values) {
            const int expected = classByScan(v, k.low, k.width);
            held += expected >= 0;
            EXPECT_EQ(classOf(v, k.low, k.width), expected) << "value " << v;
        }
        if (k.holding) {
            EXPECT_GT(held, kStatisticsClasses);
        }
    }
}
