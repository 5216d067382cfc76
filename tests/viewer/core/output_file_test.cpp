#include "tests/viewer/core/recording_viewer.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/messages.h"

#include <gtest/gtest.h>

namespace sorvath {
namespace {

using namespace testing;
using testing::ReaderBench;

// Three particles, two walls, five steps 10, 20, ... 50 with x = step / 10.
ResultRun smallRun() {
    ResultRun run;
    run.shapes = {{0.5, 0.25, 5}, {1.0, 1.0, 8}, {0.75, 0.5, 3}};
    run.walls = {{-4.0, -3.0, 4.0, -3.0}, {-4.0, 3.0, 4.0, 3.0}};
    run.dt = 0.5;
    run.perw = 8.0;
    run.perv = 0.25;
    for (int s = 1; s <= 5; ++s) {
        Step step;
        step.iloop = 10 * s;
        for (int i = 1; i <= 3; ++i) step.poses.push_back({s + 0.0, i + 0.0, 0.1 * s * i});
        run.steps.push_back(step);
    }
    return run;
}

struct OutputCase {
    RecordLayout layout;
    TextFormat format;
};

class ViewerOutputFileLayouts : public ::testing::TestWithParam<OutputCase> {};

TEST_P(ViewerOutputFileLayouts, ShowsTheThirdBlockWithTheSecondAsPreviousPose) {
    const OutputCase& c = GetParam();
    TempFolder folder;
    const auto path = writeRun(folder.path(), "output.dat", smallRun(), c.layout, false, false, c.format);
    ReaderBench bench;
    bench.prompter.paths = {path.string()};
    bench.prompter.answers = {false};
    ASSERT_TRUE(bench.reader.openOutputFile());

    const Scene& s = bench.scene;
    EXPECT_EQ(s.source, SourceMode::Output);
    EXPECT_EQ(s.oldLayout, c.layout == RecordLayout::Old);
    EXPECT_EQ(s.recordMode, c.layout == RecordLayout::Short ? RecordMode::Short : RecordMode::Long);
    EXPECT_EQ(s.nop, 3);
    EXPECT_EQ(s.nwall, 2);
    EXPECT_EQ(s.dt, 0.5);
    EXPECT_EQ(s.perw, 8.0);
    EXPECT_EQ(s.perv, 0.25);
    EXPECT_EQ(s.iloop, 30);
    EXPECT_EQ(s.iloop0, 29);
    EXPECT_EQ(s.particles[3].current.x, 3.0);
    EXPECT_EQ(s.particles[3].previous.x, 2.0);
    EXPECT_DOUBLE_EQ(s.particles[3].current.theta, 0.9);
    EXPECT_EQ(s.particles[3].nv, c.layout == RecordLayout::Long ? 3 : 20);
    EXPECT_EQ(s.particles[3].b, c.layout == RecordLayout::Old ? 0.75 : 0.5);
    // Walls start the box, the first step block widens it; the second does not.
    EXPECT_EQ(s.xmin, -4.0);
    EXPECT_EQ(s.xmax, 4.0);
    EXPECT_EQ(s.ymin, -3.0);
    EXPECT_EQ(s.ymax, 3.75);

    EXPECT_TRUE(bench.state.fitted);
    EXPECT_EQ(bench.state.picture, PictureChange::Redrawn);
    EXPECT_EQ(bench.log.messages, (std::vector<std::string>{messages::kSelectOutput, messages::kInitialDrawComplete}));
    EXPECT_EQ(bench.state.step, 30);
    EXPECT_TRUE(bench.state.animationControls);
    EXPECT_TRUE(bench.state.viewControls);

    // Stepping reads the remaining blocks, then the stream is at its end.
    EXPECT_FALSE(bench.reader.outputAtEnd());
    EXPECT_EQ(bench.reader.outdraw(), OutdrawResult::Read);
    EXPECT_EQ(s.iloop, 40);
    EXPECT_EQ(s.particles[1].previous.x, 3.0);
    EXPECT_EQ(bench.reader.outdraw(), OutdrawResult::Read);
    EXPECT_EQ(s.iloop0, 29);
    EXPECT_TRUE(bench.reader.outputAtEnd());
    EXPECT_EQ(bench.log.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, ViewerOutputFileLayouts,
                         ::testing::Values(OutputCase{RecordLayout::Long, {}}, OutputCase{RecordLayout::Short, {}},
                                           OutputCase{RecordLayout::Old, {}},
                                           OutputCase{RecordLayout::Long, {LineBreaking::FieldPerLine, " "}},
                                           OutputCase{RecordLayout::Short, {LineBreaking::OneLine, ","}},
                                           OutputCase{RecordLayout::Old, {LineBreaking::OneLine, " , "}}));

TEST(ViewerOutputFile, LongRecordsWithTooFewVerticesFailBothAttempts) {
    // Long records whose sixth field is below 3 are not long records.
    ResultRun run = smallRun();
    run.shapes[1].nv = 2;
    TempFolder folder;
    const auto path = writeRun(folder.path(), "output.dat", run, RecordLayout::Long, false, false);
    ReaderBench bench;
    bench.prompter.paths = {path.string()};
    EXPECT_FALSE(bench.reader.openOutputFile());
    EXPECT_EQ(bench.log.messages.back(), messages::kShapeReadingError);
    EXPECT_EQ(bench.log.beeps, 1);
    EXPECT_NE(bench.state.picture, PictureChange::Redrawn);
    EXPECT_EQ(bench.scene.recordMode, RecordMode::Long);
    EXPECT_TRUE(bench.reader.outputAtEnd());
}

TEST(ViewerOutputFile, WrongShapeIndexFailsBothAttempts) {
    TempFolder folder;
    std::string text = outputFileText(smallRun(), RecordLayout::Short);
    // Particle 2's record claims index 7.
    const auto at = text.find(" 2 1 1 2000 1000");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 2, " 7");
    writeTextFile(folder.path() / "output.dat", text);
    ReaderBench bench;
    bench.prompter.paths = {folder.file("output.dat")};
    EXPECT_FALSE(bench.reader.openOutputFile());
    EXPECT_EQ(bench.log.messages.back(), messages::kShapeReadingError);
}

TEST(ViewerOutputFile, NoWallsKeepsTheEarlierBox) {
    ResultRun run = smallRun();
    run.walls.clear();
    TempFolder folder;
    const auto path = writeRun(folder.path(), "output.dat", run, RecordLayout::Long, false, false);
    ReaderBench bench;
    bench.prompter.paths = {path.string()};
    ASSERT_TRUE(bench.reader.openOutputFile());
    // After start-up the box is the origin; step block 1 only widens it.
    EXPECT_EQ(bench.scene.xmin, 0.0);
    EXPECT_EQ(bench.scene.ymin, 0.0);
    EXPECT_EQ(bench.scene.xmax, 2.0);
    EXPECT_EQ(bench.scene.ymax, 3.75);
}

TEST(ViewerOutputFile, DialogSplitAndWallQuestion) {
    TempFolder folder;
    writeRun(folder.path(), "out-0012.dat", smallRun(), RecordLayout::Long, true, false);
    writeRun(folder.path(), "out.dat", smallRun(), RecordLayout::Long, false, false);

    ReaderBench rejected;
    rejected.prompter.paths = {folder.file("out.dat")};
    EXPECT_FALSE(rejected.reader.openOutputFile());
    EXPECT_TRUE(rejected.prompter.questions.empty());
    EXPECT_EQ(rejected.log.messages.back(), messages::kReadingError);
    EXPECT_EQ(rejected.log.beeps, 1);

    ReaderBench bench;
    bench.prompter.paths = {folder.file("out-0012.dat"), folder.file("out-0012.dat")};
    bench.prompter.answers = {true, false};
    ASSERT_TRUE(bench.reader.openOutputFile());
    EXPECT_EQ(bench.prompter.requests[0].filterList(),
              "all files (*.*)|*.*|out? files (out*.dat)|out*.dat|dat files (*.dat)|*.dat");
    EXPECT_EQ(bench.prompter.requests[0].selectedFilter, 1);
    EXPECT_EQ(bench.prompter.questions, (std::vector<std::string>{messages::kWallQuestion}));
    EXPECT_EQ(bench.scene.dirpart, folder.path().string() + "/");
    EXPECT_EQ(bench.scene.filenoc, "0012");
    EXPECT_EQ(bench.scene.wallfile, "wou-0012.dat");
    EXPECT_TRUE(bench.scene.movewall);
    // No after an earlier Yes leaves no wall file mounted.
    ASSERT_TRUE(bench.reader.openOutputFile());
    EXPECT_FALSE(bench.scene.movewall);
}

TEST(ViewerOutputFile, OpeningSwitchesRelativeRotationOff) {
    TempFolder folder;
    const auto path = writeRun(folder.path(), "output.dat", smallRun(), RecordLayout::Long, false, false);
    ReaderBench bench;
    bench.options.relativeRotation = true;
    bench.prompter.paths = {path.string()};
    ASSERT_TRUE(bench.reader.openOutputFile());
    EXPECT_FALSE(bench.options.relativeRotation);
    EXPECT_EQ(bench.state.relativeRotationCaption, "Relative rotation ON");
}

TEST(ViewerOutputFile, UnopenableFilesReportTheOpenMessage) {
    ReaderBench bench;
    bench.prompter.paths = {""};
    EXPECT_FALSE(bench.reader.openOutputFile());
    EXPECT_EQ(bench.log.messages.back(), messages::kReadingError);
    EXPECT_EQ(bench.log.beeps, 1);
    EXPECT_TRUE(bench.reader.outputAtEnd());
    EXPECT_EQ(bench.reader.outdraw(), OutdrawResult::Failed);
}

TEST(ViewerOutputFile, TwoLeadingZerosAndTooFewBlocksAreReadFailures) {
    TempFolder folder;
    writeTextFile(folder.path() / "output.dat", "0 0 1 0 0 0 0 1000 1 1 1 1 1 1 1 1 2000 1000\n");
    ResultRun shortRun = smallRun();
    shortRun.steps.resize(2);
    writeRun(folder.path(), "out-0002.dat", shortRun, RecordLayout::Long, false, false);
    for (const char* name : {"output.dat", "out-0002.dat"}) {
        ReaderBench bench;
        bench.prompter.paths = {folder.file(name)};
        EXPECT_FALSE(bench.reader.openOutputFile()) << name;
        EXPECT_EQ(bench.log.messages.back(), messages::kShapeReadingError) << name;
        EXPECT_EQ(bench.log.beeps, 1);
    }
}

TEST(ViewerOutputFile, TruncatedStepEndsTheStreamWithOneMessage) {
    TempFolder folder;
    std::string text = outputFileText(smallRun(), RecordLayout::Long);
    text.resize(text.rfind(" 3 5"));  // cut inside the last block
    writeTextFile(folder.path() / "output.dat", text);
    ReaderBench bench;
    bench.prompter.paths = {folder.file("output.dat")};
    ASSERT_TRUE(bench.reader.openOutputFile());
    EXPECT_EQ(bench.reader.outdraw(), OutdrawResult::Read);
    EXPECT_FALSE(bench.reader.outputAtEnd());
    EXPECT_EQ(bench.reader.outdraw(), OutdrawResult::Failed);
    EXPECT_EQ(bench.log.messages.back(), messages::kReadingError);
    EXPECT_TRUE(bench.reader.outputAtEnd());
    EXPECT_EQ(bench.reader.outdraw(), OutdrawResult::Failed);
    EXPECT_EQ(bench.log.beeps, 1);
}

TEST(ViewerOutputFile, ReopenKeepsTheZoomAndStartsTheRunAgain) {
    TempFolder folder;
    const auto path = writeRun(folder.path(), "output.dat", smallRun(), RecordLayout::Old, false, false);
    ReaderBench bench;
    bench.prompter.paths = {path.string()};
    ASSERT_TRUE(bench.reader.openOutputFile());
    bench.reader.outdraw();
    bench.reader.outdraw();
    bench.state = ViewerState{};
    ASSERT_TRUE(bench.reader.reopenresults());
    EXPECT_EQ(bench.scene.iloop, 30);
    EXPECT_FALSE(bench.state.fitted);
    EXPECT_EQ(bench.state.picture, PictureChange::Redrawn);
    EXPECT_TRUE(bench.scene.rescaleOnLoad);
    EXPECT_FALSE(bench.reader.outputAtEnd());
}

}  // namespace
}  // namespace sorvath

namespace sorvath {
namespace {

TEST(ViewerRunFile, ARunNamedOnTheCommandLineOpensByItsNameWithoutTheDialog) {
    TempFolder folder;
    writeRun(folder.path(), "output.dat", smallRun(), RecordLayout::Long, true, false);
    writeRun(folder.path(), "out.dat", smallRun(), RecordLayout::Long, false, false);
    writeTextFile(folder.path() / "newin.dat", inputFileText(smallRun(), RecordLayout::Long));
    const struct {
        const char* name;
        bool opened;
        SourceMode source;
        bool wallQuestion;
    } cases[] = {
        {"output.dat", true, SourceMode::Output, true},
        {"newin.dat", true, SourceMode::Input, false},
        {"out.dat", false, SourceMode::Output, false},  // too short a name to split, as from the menu
        {"missing.dat", false, SourceMode::Input, false},
    };
    const std::filesystem::path startedIn = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReaderBench bench;
        bench.prompter.answers = {true};
        EXPECT_EQ(bench.reader.openRunFile(c.name), c.opened);
        EXPECT_EQ(bench.scene.source, c.source);
        EXPECT_TRUE(bench.prompter.requests.empty());
        EXPECT_EQ(bench.prompter.questions.size(), c.wallQuestion ? 1u : 0u);
        EXPECT_EQ(bench.state.filename, folder.file(c.name));
        if (!c.opened) {
            EXPECT_EQ(bench.log.messages.back(), messages::kReadingError);
        }
        if (c.source == SourceMode::Output && c.opened) {
            EXPECT_TRUE(bench.scene.movewall);
            EXPECT_EQ(bench.scene.iloop, 30);
            EXPECT_EQ(bench.log.messages.front(), messages::kInitialDrawComplete);
        }
    }
    std::filesystem::current_path(startedIn);
}

}  // namespace
}  // namespace sorvath
