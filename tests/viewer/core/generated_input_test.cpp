#include "tests/viewer/core/recording_viewer.h"
#include "tests/viewer/support/result_run_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace sorvath {
namespace {

struct ShapeMode {
    const char* name;
    const char* control;  // "tessctrl.dat"
    bool oldLayout;
    int minVertices;
    int maxVertices;
};

// Twenty particles of area about 1 in a 20 x 20 box: placement never has to retry.
const ShapeMode kModes[] = {
    {"ellipses", "0 0\n20 1000\n1.0 0.1 0.3 2.0\n0.0 0.0 20.0 20.0\n0\n0.7 0.1 0.5 1.0\n", false, 100, 100},
    {"polygons", "0 1\n20 1000\n1.0 0.1 0.3 2.0\n0.0 0.0 20.0 20.0\n0\n5.0 1.5 3 8\n", false, 3, 8},
    {"discs", "1 2\n20 1000\n1.0 0.1 0.3 2.0\n20.0 20.0 0.0 0.0\n0\n", true, 20, 20},
    {"other mode as ellipses", "0 5\n20 1000\n1.0 0.1 0.3 2.0\n0.0 0.0 20.0 20.0\n0\n", false, 100, 100},
};

class ViewerGeneratedInput : public ::testing::TestWithParam<ShapeMode> {};

TEST_P(ViewerGeneratedInput, NewinDatOpensAsAnInputFile) {
    const ShapeMode& mode = GetParam();
    testing::TempFolder folder;
    testing::writeTextFile(folder.path() / "tessctrl.dat", mode.control);
    const std::string command =
        "cd '" + folder.path().string() + "' && '" + TOOLKIT_BIN_DIR + "/tessark' < /dev/null > console.txt 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << mode.name;
    ASSERT_TRUE(std::filesystem::exists(folder.path() / "newin.dat")) << mode.name;

    testing::ReaderBench bench;
    bench.prompter.paths = {folder.file("newin.dat")};
    ASSERT_TRUE(bench.reader.openInputFile()) << mode.name;
    EXPECT_EQ(bench.log.beeps, 0);
    const Scene& s = bench.scene;
    EXPECT_EQ(s.oldLayout, mode.oldLayout);
    EXPECT_EQ(s.nop, 20);
    EXPECT_EQ(s.nwall, 4);
    EXPECT_DOUBLE_EQ(s.dt, 2.0e-6);
    EXPECT_EQ(s.nloop, 1000.0);
    // The walls are the packing rectangle, and every centre lies inside it.
    EXPECT_DOUBLE_EQ(s.walls[2].y1, s.walls[2].y2);
    for (int i = 1; i <= s.nop; ++i) {
        const Particle& p = s.particles[static_cast<size_t>(i)];
        EXPECT_GE(p.nv, mode.minVertices) << i;
        EXPECT_LE(p.nv, mode.maxVertices) << i;
        EXPECT_GT(p.a, 0.0) << i;
        EXPECT_GE(p.current.x, 0.0) << i;
        EXPECT_LE(p.current.x, 20.0) << i;
        EXPECT_GE(p.current.y, 0.0) << i;
        EXPECT_LE(p.current.y, 20.0) << i;
        EXPECT_EQ(p.previous.theta, p.current.theta) << i;
        if (mode.oldLayout) {
            EXPECT_EQ(p.a, p.b) << i;
        }
    }
    EXPECT_LE(s.xmin, 0.0);
    EXPECT_GE(s.xmax, 20.0);
}

INSTANTIATE_TEST_SUITE_P(EveryShapeMode, ViewerGeneratedInput, ::testing::ValuesIn(kModes));

}  // namespace
}  // namespace sorvath
