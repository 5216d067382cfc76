#include "generator/run_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "generator/particle_shapes.h"
#include "generator/random_numbers.h"
#include "tests/generator/console_lines.h"
#include "tests/support/scratch_folder.h"

using namespace tessark;
namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string console, newin, temp, outd;
};

Outcome run(const std::string& control, const std::string& input = "", OverlapSearch search = OverlapSearch::CellGrid) {
    toolkit::testing::ScratchFolder f;
    f.write("tessctrl.dat", control);
    std::istringstream in(input);
    std::ostringstream console;
    Outcome o;
    o.status = runTessark(f.path(), in, console, search);
    o.console = console.str();
    o.newin = f.read("newin.dat");
    o.temp = f.read("temp.dat");
    o.outd = f.read("OUTD.DAT");
    return o;
}

std::string file(const char* name) {
    std::ifstream in(fs::path(TOOLKIT_SOURCE_DIR) / "examples/generator" / name);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Log-normal discs of radius about 0.002 whose failed passes draw new radii
// several times larger than any the cell grid was sized with.
const std::string kGrowingRadii = "1 2\n300 2\n4e-6 0.05 0 1\n0 0 0.2 0.2\n0\n";

std::string repeatedLines(const std::string& line, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += line + "\n";
    return text;
}

}  // namespace

TEST(Run, CellGridMatchesNaiveScanByteForByte) {
    const struct {
        const char* name;
        std::string control;
    } cases[] = {
        {"ellipses example", file("ellipses.tessctrl.dat")},
        {"polygons example", file("polygons.tessctrl.dat")},
        {"discs with a line example", file("discs-with-line.tessctrl.dat")},
        {"crowded equal discs with failed passes", "0 2\n60 30\n0.01 0 0 1\n0 0 1.2 1.0\n0\n"},
        {"replaced radii beyond the sized ones", kGrowingRadii},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        ASSERT_FALSE(k.control.empty()) << "control file missing";
        const std::string input = repeatedLines("1", 400);
        const Outcome grid = run(k.control, input, OverlapSearch::CellGrid);
        const Outcome naive = run(k.control, input, OverlapSearch::Naive);
        ASSERT_EQ(naive.status, 0) << naive.console.substr(naive.console.size() -
                                                           std::min<std::size_t>(300, naive.console.size()));
        EXPECT_EQ(grid.status, naive.status);
        EXPECT_EQ(grid.console, naive.console);
        EXPECT_EQ(grid.newin, naive.newin);
        EXPECT_EQ(grid.outd, naive.outd);
    }
}

TEST(Run, OddCountFirstCentreAndDeterminism) {
    const std::string control = "0 2\n5 100\n0.0001 0 0 1\n1 1 0 0\n0\n";
    const Outcome o = run(control);
    ASSERT_EQ(o.status, 0) << o.console;
    EXPECT_NE(o.console.find(" NUMBER OF PARTICLE=         6\n"), std::string::npos);
    EXPECT_EQ(o.console.find("=         7\n"), std::string::npos);
    std::istringstream temp(o.temp);
    int lines = 0;
    for (std::string l; std::getline(temp, l);) ++lines;
    EXPECT_EQ(lines, 6);
    EXPECT_EQ(o.newin.substr(0, 5), " 0\n  ");
    // Draws: 6 aspect, 6 size deviates, then the angle, then x and y.
    std::ostringstream quiet;
    std::int32_t ir = 0;
    double u[15];
    URAND1(15, u, ir, quiet);
    std::istringstream newin(o.newin);
    int zero, nop, nwall;
    double dt, last, a, x, y, theta;
    newin >> zero >> nop >> nwall >> dt >> last >> a >> x >> y >> theta;
    EXPECT_EQ(nop, 6);
    EXPECT_DOUBLE_EQ(a, 0.01);
    EXPECT_EQ(x, 1.0 * u[13] + 0.0);
    EXPECT_EQ(y, 1.0 * u[14] + 0.0);
    EXPECT_EQ(theta, u[12] * kPi - kPi * 0.5);
    // Equal sizes: no class holds anything and tarea2 is 0.
    EXPECT_NE(o.outd.find(" sums, tarea2 "), std::string::npos);
    EXPECT_NE(o.outd.find(" 0\n"), std::string::npos);
    const Outcome again = run(control);
    EXPECT_EQ(again.newin, o.newin);
    EXPECT_EQ(again.outd, o.outd);
}

TEST(Run, FailedPassReadsANumberAndEndOfInputStops) {
    // A disc larger than the rectangle can never be placed.
    const std::string control = "0 2\n2 3\n1.0 0 0 9\n0 0 1 1\n0\n";
    const Outcome o = run(control, "7\n");
    EXPECT_EQ(o.status, 1);
    const auto first = o.console.find(" CAN NOT FIND ADIQUATE POSITION\n a,b=     0.1000000E+01     0.1000000E+01\n");
    EXPECT_NE(first, std::string::npos);
    EXPECT_NE(o.console.find("CAN NOT", first + 10), std::string::npos);  // second pass after the number
    EXPECT_NE(o.console.find("input ended"), std::string::npos);
    EXPECT_TRUE(o.newin.empty());
    const Outcome bad = run(control, "abc\n");
    EXPECT_NE(bad.console.find("not a number"), std::string::npos);
}

TEST(Run, PolygonRadiiAndRefusals) {
    EXPECT_NEAR(polygonRadius(1.0, 4), 1.2533, 1e-4);
    EXPECT_NEAR(polygonRadius(1.0, 3), 1.5551, 1e-4);
    const Outcome tri = run("0 1\n2 100\n0.0001 0 0 1\n0 0 1 1\n0\n3.0 0.0 3 3\n");
    ASSERT_EQ(tri.status, 0) << tri.console;
    EXPECT_NE(tri.newin.find("  3\n"), std::string::npos);
    EXPECT_NE(tri.outd.find("         3            2            2"), std::string::npos);
    const Outcome missing = run("0 2\n");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.console.find("tessctrl.dat"), std::string::npos);
}

TEST(Run, UnreachableBoundStopsAfterTheCap) {
    const Outcome o = run("0 2\n2 10\n1 0 5 9\n0 0 1 1\n0\n");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.console.find("sizemn/sizemx"), std::string::npos);
}

namespace {

struct Pose {
    double a, x, y;
};

// Disc-layout particles of a "newin.dat": radius and first pose.
std::vector<Pose> discPoses(const std::string& newin) {
    std::istringstream in(newin);
    int zero, nop, nwall, last;
    double dt;
    in >> zero >> nop >> nwall >> dt >> last;
    std::vector<Pose> poses;
    for (int i = 0; i < nop; ++i) {
        Pose p{};
        double t, x2, y2, t2;
        in >> p.a >> p.x >> p.y >> t >> x2 >> y2 >> t2;
        poses.push_back(p);
    }
    return poses;
}

}  // namespace

TEST(Run, LineConstraintAndReversedCornersKeepEveryDiscInside) {
    const Outcome o = run("1 2\n40 5000\n0.0004 0.3 0 1\n0 0 1 1\n1\n1 0.0 0.5\n");
    ASSERT_EQ(o.status, 0) << o.console;
    const auto poses = discPoses(o.newin);
    ASSERT_EQ(poses.size(), 40u);
    for (std::size_t i = 0; i < poses.size(); ++i) {
        EXPECT_GT(poses[i].y, 0.5 + poses[i].a);
        EXPECT_GT(poses[i].x - poses[i].a, 0.0);
        EXPECT_LT(poses[i].x + poses[i].a, 1.0);
        EXPECT_LT(poses[i].y + poses[i].a, 1.0);
        for (std::size_t k = 0; k < i; ++k) {
            const double dx = poses[i].x - poses[k].x, dy = poses[i].y - poses[k].y;
            EXPECT_GE(dx * dx + dy * dy, (poses[i].a + poses[k].a) * (poses[i].a + poses[k].a));
        }
    }
    const Outcome reversed = run("1 2\n40 5000\n0.0004 0.3 0 1\n1 1 0 0\n1\n1 0.0 0.5\n");
    const auto again = discPoses(reversed.newin);
    ASSERT_EQ(again.size(), poses.size());
    for (std::size_t i = 0; i < poses.size(); ++i) EXPECT_EQ(again[i].x, poses[i].x);
    // The walls keep the corners in the order given.
    EXPECT_NE(reversed.newin.find("   0.1000000E+01     0.0000000E+00     0.1000000E+01     0.1000000E+01"),
              std::string::npos);
}

TEST(Run, EllipseStatisticsMissTheSmallestFromTheWeight) {
    const Outcome o = run("1 0\n30 5000\n0.0004 0.3 0 1\n0 0 1 1\n0\n0.6 0.1 0.3 1.0\n");
    ASSERT_EQ(o.status, 0) << o.console;
    EXPECT_NE(o.newin.find("  100\n"), std::string::npos);
    EXPECT_NE(o.outd.find(" Distribution of aspect ratio\n axismin=     0.3000000E+00\n"), std::string::npos);
    EXPECT_NE(o.outd.find(" axismx=     0.1000000E+01\n"), std::string::npos);
    std::istringstream in(o.outd.substr(o.outd.find(" sums, tarea2 ") + 14));
    double sums = 0, tarea2 = 0;
    in >> sums >> tarea2;
    EXPECT_GT(sums, 0.0);
    EXPECT_LE(tarea2, sums);
    // The sorted size list runs from the largest a down.
    std::istringstream temp(o.temp);
    double previous = 1e300;
    int index = 0, expected = 1;
    double a = 0;
    while (temp >> index >> a) {
        EXPECT_EQ(index, expected++);
        EXPECT_LE(a, previous);
        previous = a;
    }
    EXPECT_EQ(expected, 31);
}

// The premise of the cell-grid case above: placed radii beyond the largest
// of the sorted size list.
TEST(Run, FailedPassesCanPlaceRadiiBeyondTheSortedOnes) {
    const Outcome o = run(kGrowingRadii, repeatedLines("1", 400));
    ASSERT_EQ(o.status, 0);
    std::istringstream temp(o.temp);
    double sized = 0.0, a = 0.0;
    int index = 0;
    while (temp >> index >> a) sized = std::max(sized, a);
    double placed = 0.0;
    for (const Pose& p : discPoses(o.newin)) placed = std::max(placed, p.a);
    EXPECT_GT(placed, 4 * sized);
}

// Zero-sized log-normal discs: the weight fractions would be 0 / 0, so the
// run stops before writing the two files and says which values to check.
TEST(Run, StatisticsWithoutANumberStopTheRunBeforeAnyFile) {
    const Outcome o = run("1 2\n4 100\n0 0.5 0 1\n0 0 1 1\n0\n");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.console.substr(o.console.rfind("\n", o.console.size() - 2) + 1),
              " error: the particles have no area (SUM OF S= 0), so the weight fractions cannot be computed; check "
              "wmean = 0, wsd = 0.5, sizemn = 0 and sizemx = 1; the run is stopped\n");
    EXPECT_TRUE(o.newin.empty());
    EXPECT_TRUE(o.outd.empty());
    EXPECT_TRUE(o.temp.empty());
}

// The total area on the console and as the first line of the statistics
// file: equal discs of radius 0.02, sum 6 pi 0.02^2.
TEST(Run, SumOfSLineOnConsoleAndInStatistics) {
    const Outcome o = run("0 2\n5 100\n0.0004 0 0 1\n0 0 1 1\n0\n");
    ASSERT_EQ(o.status, 0) << o.console;
    const std::string line = " SUM OF S=   " + tessark::testing::exponentField(6 * 3.14159265 * 0.02 * 0.02);
    EXPECT_EQ(o.console.substr(o.console.size() - line.size() - 1), line + "\n");
    EXPECT_EQ(o.outd.substr(0, line.size() + 1), line + "\n");
}

TEST(Run, OutOfRangeRealStopsWithGroupAndValue) {
    const Outcome o = run("0 2\n4 100\n1e400 0 0 1\n0 0 1 1\n0\n");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.console,
              " error in the control file \"tessctrl.dat\": group 3 (wmean, wsd, sizemn, sizemx), value wmean: "
              "\"1e400\" is out of range (reals run up to about 1.8e308 in size)\n");
}

// No table of fixed size: 30,001 particles (made even) and 60 line
// constraints, all below the rectangle, pack.
TEST(Run, ThirtyThousandParticlesPack) {
    std::string control = "1 2\n30001 100000\n0.0001 0.2 0 1\n0 0 6 5\n60\n";
    for (int j = 0; j < 60; ++j) control += "1 0.0 " + std::to_string(-1 - j) + "\n";
    const Outcome o = run(control);
    ASSERT_EQ(o.status, 0) << o.console.substr(o.console.size() - std::min<std::size_t>(300, o.console.size()));
    const std::string start =
        " input ok\n notice: 30002 particles do not fit the four-character count of \"newin.dat\"; the count is "
        "written with all its digits\n";
    EXPECT_EQ(o.console.substr(0, start.size()), start);
    EXPECT_NE(o.console.find(" NUMBER OF PARTICLE=     30002\n"), std::string::npos);
    const auto poses = discPoses(o.newin);
    ASSERT_EQ(poses.size(), 30002u);
    for (const Pose& p : poses) {
        ASSERT_TRUE(p.x - p.a > 0.0 && p.x + p.a < 6.0 && p.y - p.a > 0.0 && p.y + p.a < 5.0);
    }
    EXPECT_EQ(std::count(o.temp.begin(), o.temp.end(), '\n'), 30002);
}

// Counts that cannot be kept are refused before anything is drawn, naming
// the count and the limit.
TEST(Run, ParticleCountsBeyondWhatCanBeKeptAreRefused) {
    const struct {
        const char* npart;
        const char* said;
    } cases[] = {
        {"0", "npart = 0 in \"tessctrl.dat\" gives no particles (1 or more are needed)"},
        {"2147483647",
         "npart = 2147483647 in \"tessctrl.dat\" would be made even as 2147483648, beyond the largest count kept, "
         "2147483646"},
        {"2147483646",
         "npart = 2147483646 in \"tessctrl.dat\" asks for 2147483646 particles, which need about 1099.5 "
         "GB of memory; this computer has "},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.npart);
        const Outcome o = run(std::string("0 2\n") + k.npart + " 10\n0.0001 0 0 1\n0 0 1 1\n0\n");
        EXPECT_EQ(o.status, 1);
        const std::string said = std::string(" input ok\n error: ") + k.said;
        EXPECT_EQ(o.console.substr(0, said.size()), said);
        EXPECT_TRUE(o.temp.empty());
    }
}
