#include "tests/viewer/core/recording_viewer.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/messages.h"

#include <gtest/gtest.h>

namespace sorvath {
namespace {

using namespace testing;
using testing::ReaderBench;

ResultRun twoParticles() {
    ResultRun run;
    run.shapes = {{1.0, 0.5, 7}, {2.0, 1.5, 12}};
    run.walls = {{-10.0, -5.0, 10.0, -5.0}};
    run.nloop = 4321.0;
    run.steps = {{0, {{0.0, 0.0, 0.1}, {5.0, 3.0, -0.2}}, {}, {}, -1},
                 {0, {{0.5, 0.25, 0.3}, {6.0, 4.0, -0.4}}, {}, {}, -1}};
    return run;
}

struct InputCase {
    RecordLayout layout;
    TextFormat format;
};

class ViewerInputFileLayouts : public ::testing::TestWithParam<InputCase> {};

TEST_P(ViewerInputFileLayouts, ReadsShapesPosesWallsAndBox) {
    const InputCase& c = GetParam();
    TempFolder folder;
    writeTextFile(folder.path() / "input.dat", inputFileText(twoParticles(), c.layout, c.format));
    ReaderBench bench;
    bench.prompter.paths = {folder.file("input.dat")};
    ASSERT_TRUE(bench.reader.openInputFile());

    const Scene& s = bench.scene;
    EXPECT_EQ(s.source, SourceMode::Input);
    EXPECT_EQ(s.oldLayout, c.layout == RecordLayout::Old);
    EXPECT_EQ(s.recordMode, RecordMode::Long);
    EXPECT_EQ(s.nop, 2);
    EXPECT_EQ(s.nwall, 1);
    EXPECT_EQ(s.nloop, 4321.0);
    const Particle& p2 = s.particles[2];
    EXPECT_EQ(p2.a, 2.0);
    EXPECT_EQ(p2.b, c.layout == RecordLayout::Old ? 2.0 : 1.5);
    EXPECT_EQ(p2.nv, c.layout == RecordLayout::Long ? 12 : 20);
    EXPECT_EQ(p2.previous.x, 5.0);
    EXPECT_EQ(p2.previous.theta, -0.2);
    EXPECT_EQ(p2.current.y, 4.0);
    EXPECT_EQ(p2.current.theta, -0.4);
    EXPECT_EQ(s.walls[1].x2, 10.0);
    // Box: current poses widened by a, then the wall.
    EXPECT_EQ(s.xmin, -10.0);
    EXPECT_EQ(s.xmax, 10.0);
    EXPECT_EQ(s.ymin, -5.0);
    EXPECT_EQ(s.ymax, 6.0);

    EXPECT_EQ(bench.state.filename, folder.file("input.dat"));
    EXPECT_TRUE(bench.state.fitted);
    EXPECT_EQ(bench.state.picture, PictureChange::Redrawn);
    EXPECT_EQ(bench.log.messages, (std::vector<std::string>{messages::kSelectInput, messages::kDrawingComplete}));
    EXPECT_EQ(bench.log.beeps, 0);
    EXPECT_FALSE(bench.state.animationControls);
    EXPECT_TRUE(bench.state.viewControls);
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, ViewerInputFileLayouts,
                         ::testing::Values(InputCase{RecordLayout::Long, {}}, InputCase{RecordLayout::Short, {}},
                                           InputCase{RecordLayout::Old, {}},
                                           InputCase{RecordLayout::Long, {LineBreaking::FieldPerLine, " "}},
                                           InputCase{RecordLayout::Short, {LineBreaking::OneLine, ", "}},
                                           InputCase{RecordLayout::Old, {LineBreaking::OneLine, ","}}));

TEST(ViewerInputFile, DialogOffersTheInputFilters) {
    ReaderBench bench;
    bench.reader.openInputFile();
    ASSERT_EQ(bench.prompter.requests.size(), 1u);
    const FileOpenRequest& r = bench.prompter.requests[0];
    EXPECT_EQ(r.filterList(), "all files (*.*)|*.*|in? files (in*.dat)|in*.dat|dat files (*.dat)|*.dat");
    EXPECT_EQ(r.selectedFilter, 1);
    EXPECT_TRUE(r.hideReadOnly);
}

TEST(ViewerInputFile, CancelledDialogMissingFileAndGarbageReportOnce) {
    TempFolder folder;
    writeTextFile(folder.path() / "junk.dat", "this is not a run\n");
    writeTextFile(folder.path() / "zeros.dat", "0 0 0 0 0 0 0\n");
    for (const std::string& path :
         {std::string(), folder.file("absent.dat"), folder.file("junk.dat"), folder.file("zeros.dat")}) {
        ReaderBench bench;
        bench.prompter.paths = {path};
        EXPECT_FALSE(bench.reader.openInputFile()) << path;
        EXPECT_EQ(bench.log.messages, (std::vector<std::string>{messages::kSelectInput, messages::kReadingError}))
            << path;
        EXPECT_EQ(bench.log.beeps, 1);
        EXPECT_NE(bench.state.picture, PictureChange::Redrawn);
        EXPECT_EQ(bench.scene.recordMode, RecordMode::Long);
    }
}

TEST(ViewerInputFile, TooManyParticlesOrWallsIsAReadFailure) {
    TempFolder folder;
    writeTextFile(folder.path() / "many.dat", "10001 0 1e-6 0\n");
    writeTextFile(folder.path() / "walls.dat", "1 101 1e-6 0\n");
    for (const char* name : {"many.dat", "walls.dat"}) {
        ReaderBench bench;
        bench.prompter.paths = {folder.file(name)};
        EXPECT_FALSE(bench.reader.openInputFile());
        EXPECT_TRUE(bench.log.contains(messages::kReadingError));
        EXPECT_EQ(bench.scene.nop, 0);
    }
}

// A count the file cannot hold (or beyond 32 bits) is refused before any table is
// sized for it, naming the file; the earlier file's picture does not stay behind.
TEST(ViewerInputFile, CountsBeyondTheFileAreRefusedNamingItAndClearThePicture) {
    TempFolder folder;
    writeTextFile(folder.path() / "input.dat", inputFileText(twoParticles(), RecordLayout::Long));
    const struct {
        const char* name;
        const char* text;
        const char* reason;
    } cases[] = {
        {"hostile.dat", "2147483647 0 1e-6 0\n 1 1 0 0 20 0 0 0 0 0 0\n",
         ": 2147483647 particles named; the rest of the file holds at most 6"},
        {"walls.dat", "1 2000000000 1e-6 0\n 1 1 0 0 20 0 0 0 0 0 0\n",
         ": 2000000000 walls named; the rest of the file holds at most 3"},
        {"wide.dat", "2147483648 0 1e-6 0\n", ": 2147483648 particles named; counts go up to 2147483647"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeTextFile(folder.path() / c.name, c.text);
        ReaderBench bench;
        bench.prompter.paths = {folder.file("input.dat"), folder.file(c.name)};
        ASSERT_TRUE(bench.reader.openInputFile());
        EXPECT_FALSE(bench.reader.openInputFile());
        EXPECT_TRUE(bench.log.contains(folder.file(c.name) + c.reason));
        EXPECT_EQ(bench.log.messages.back(), messages::kReadingError);
        EXPECT_EQ(bench.state.filename, folder.file(c.name));
        EXPECT_EQ(bench.state.picture, PictureChange::Cleared);
        EXPECT_EQ(bench.scene.nop, 0);
        EXPECT_EQ(bench.scene.nwall, 0);
    }
}

}  // namespace
}  // namespace sorvath

namespace sorvath {
namespace {

// The generator's fixed-width lines: D and E exponent fields, I fields, free-format poses.
constexpr const char* kGeneratedEllipses =
    "    2      4            0.0000020       0\n"
    "  0.1000D+01   0.5000D+00   0.2000D+04   0.1000D+04  100\n"
    " 5.0 5.0 0.3\n"
    " 5.0 5.0 0.3\n"
    "  0.7500D+00   0.7500D+00   0.2000D+04   0.1000D+04  100\n"
    " 8.0 2.0 -1.25\n"
    " 8.0 2.0 -1.25\n"
    "    0.0000000E+00      0.1000000E+02      0.0000000E+00      0.0000000E+00   \n"
    "    0.2000000E+04      0.1000000E+04   \n"
    "    0.0000000E+00      0.0000000E+00      0.1000000E+02      0.0000000E+00   \n"
    "    0.2000000E+04      0.1000000E+04   \n"
    "    0.1000000E+02      0.0000000E+00      0.1000000E+02      0.1000000E+02   \n"
    "    0.2000000E+04      0.1000000E+04   \n"
    "    0.1000000E+02      0.1000000E+02      0.0000000E+00      0.1000000E+02   \n"
    "    0.2000000E+04      0.1000000E+04   \n"
    "       1000\n"
    "    0.2500000E-01      0.9800000E+04   \n"
    "    0.5000000E+00      0.5000000E+00      0.0000000E+00   \n"
    "    0.0000000E+00      0.9600000E+09      0.2400000E+09   \n";

constexpr const char* kGeneratedDiscs =
    " 0\n"
    "    1      4            0.0000020       0\n"
    " 0.5\n"
    " 2.0 3.0 0.0\n"
    " 2.0 3.0 0.0\n"
    "    0.0000000E+00      0.4000000E+01      0.0000000E+00      0.0000000E+00   \n"
    "    0.0000000E+00      0.0000000E+00      0.4000000E+01      0.0000000E+00   \n"
    "    0.4000000E+01      0.0000000E+00      0.4000000E+01      0.4000000E+01   \n"
    "    0.4000000E+01      0.4000000E+01      0.0000000E+00      0.4000000E+01   \n"
    "       1000\n"
    "    0.2500000E-01      0.9800000E+04   \n"
    "    0.5000000E+00      0.5000000E+00      0.0000000E+00   \n"
    "    0.0000000E+00      0.9600000E+09      0.2400000E+09   \n"
    " 2000.0 1000.0\n";

TEST(ViewerInputFile, ReadsTheGeneratorsFixedWidthLayouts) {
    testing::TempFolder folder;
    testing::writeTextFile(folder.path() / "newin.dat", kGeneratedEllipses);
    testing::writeTextFile(folder.path() / "discs.dat", kGeneratedDiscs);

    testing::ReaderBench ellipses;
    ellipses.prompter.paths = {folder.file("newin.dat")};
    ASSERT_TRUE(ellipses.reader.openInputFile());
    EXPECT_FALSE(ellipses.scene.oldLayout);
    EXPECT_EQ(ellipses.scene.nop, 2);
    EXPECT_EQ(ellipses.scene.nwall, 4);
    EXPECT_DOUBLE_EQ(ellipses.scene.dt, 2.0e-6);
    EXPECT_EQ(ellipses.scene.particles[1].a, 1.0);
    EXPECT_EQ(ellipses.scene.particles[1].b, 0.5);
    EXPECT_EQ(ellipses.scene.particles[2].nv, 100);
    EXPECT_EQ(ellipses.scene.particles[2].current.theta, -1.25);
    EXPECT_EQ(ellipses.scene.walls[4].y1, 10.0);
    EXPECT_EQ(ellipses.scene.nloop, 1000.0);
    EXPECT_EQ(ellipses.scene.xmax, 10.0);

    testing::ReaderBench discs;
    discs.prompter.paths = {folder.file("discs.dat")};
    ASSERT_TRUE(discs.reader.openInputFile());
    EXPECT_TRUE(discs.scene.oldLayout);
    EXPECT_EQ(discs.scene.nop, 1);
    EXPECT_EQ(discs.scene.particles[1].b, 0.5);
    EXPECT_EQ(discs.scene.particles[1].nv, 20);
    EXPECT_EQ(discs.scene.walls[3].y2, 4.0);
    EXPECT_EQ(discs.log.beeps, 0);
}

}  // namespace
}  // namespace sorvath
