#include "tests/viewer/core/recording_viewer.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/messages.h"

#include <gtest/gtest.h>

namespace sorvath {
namespace {

using namespace testdata;
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

    EXPECT_EQ(bench.display.filename, folder.file("input.dat"));
    EXPECT_EQ(bench.display.calls, (std::vector<std::string>{"setscale", "drawscene"}));
    EXPECT_EQ(bench.log.messages,
              (std::vector<std::string>{messages::kSelectInput, messages::kDrawingComplete}));
    EXPECT_EQ(bench.log.beeps, 0);
    EXPECT_EQ(bench.display.animFlag, 1);
    EXPECT_EQ(bench.display.viewFlag, 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, ViewerInputFileLayouts,
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
    for (const std::string& path : {std::string(), folder.file("absent.dat"), folder.file("junk.dat"),
                                    folder.file("zeros.dat")}) {
        ReaderBench bench;
        bench.prompter.paths = {path};
        EXPECT_FALSE(bench.reader.openInputFile()) << path;
        EXPECT_EQ(bench.log.messages, (std::vector<std::string>{messages::kSelectInput, messages::kReadingError}))
            << path;
        EXPECT_EQ(bench.log.beeps, 1);
        EXPECT_EQ(bench.display.count("drawscene"), 0);
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

}  // namespace
}  // namespace sorvath
