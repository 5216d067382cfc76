#include "tests/viewer/core/recording_viewer.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/messages.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sorvath {
namespace {

using namespace testing;
using testing::ReaderBench;

// Two particles touching each other and a wall; particle 2 turns 0.3 rad a step.
ResultRun contactRun() {
    ResultRun run;
    run.shapes = {{1.0, 1.0, 20}, {1.0, 1.0, 20}};
    run.walls = {{-2.0, -1.0, 4.0, -1.0}};
    for (int s = 1; s <= 5; ++s) {
        Step step;
        step.iloop = s;
        step.poses = {{0.0, 0.0, 0.0}, {2.0, 0.0, 0.3 * s}};
        step.walls = {{-2.0 + s, -1.0, 4.0 + s, -1.0 - s}};
        // fn as written is negative; the reader inverts it.
        step.contacts = {{1, 2, 1.0, 0.0, 0.0, -2.0 * s, 0.0}, {2, 0, 2.0, -1.0, 1.5, -1.0 * s, 0.0}};
        step.ncont = 1;
        run.steps.push_back(step);
    }
    return run;
}

struct OpenedRun {
    TempFolder folder;
    ReaderBench bench;
    OpenedRun(const ResultRun& run, ContactDisplay display, bool walls, const std::string& name = "out-0007.dat") {
        writeRun(folder.path(), name, run, RecordLayout::Long, true, true);
        bench.options.contactDisplay = display;
        bench.prompter.paths = {folder.file(name)};
        bench.prompter.answers = {walls};
    }
};

TEST(ViewerCompanionStepping, WallFileMovesTheWallsEveryStep) {
    OpenedRun r(contactRun(), ContactDisplay::No, true);
    ASSERT_TRUE(r.bench.reader.openOutputFile());
    EXPECT_TRUE(r.bench.scene.movewall);
    // The third block's wall record was read in its own x1 x2 y1 y2 order.
    const Wall& wall = r.bench.scene.walls[1];
    EXPECT_EQ(wall.x1, 1.0);
    EXPECT_EQ(wall.x2, 7.0);
    EXPECT_EQ(wall.y1, -1.0);
    EXPECT_EQ(wall.y2, -4.0);
    EXPECT_EQ(r.bench.reader.outdraw(), OutdrawResult::Read);
    EXPECT_EQ(r.bench.scene.walls[1].x1, 2.0);
}

TEST(ViewerCompanionStepping, WallStepMismatchUnmountsTheWallFile) {
    ResultRun run = contactRun();
    OpenedRun r(run, ContactDisplay::DrawLines, true);
    // Rewrite the wall file with step numbers one off after the first three.
    ResultRun shifted = run;
    shifted.steps[3].iloop = 99;
    writeTextFile(r.folder.path() / "wou-0007.dat", wallFileText(shifted));
    ASSERT_TRUE(r.bench.reader.openOutputFile());
    const int contactMessages = static_cast<int>(r.bench.log.messages.size());
    EXPECT_EQ(r.bench.reader.outdraw(), OutdrawResult::WallMismatch);
    EXPECT_EQ(r.bench.log.messages.back(), messages::kWallStepError);
    EXPECT_FALSE(r.bench.scene.movewall);
    // Contacts were not read for that step.
    EXPECT_EQ(static_cast<int>(r.bench.log.messages.size()), contactMessages + 1);
    EXPECT_EQ(r.bench.reader.outdraw(), OutdrawResult::Read);
}

TEST(ViewerCompanionStepping, MissingWallFileIsNotMounted) {
    OpenedRun r(contactRun(), ContactDisplay::No, true, "out-0008.dat");
    std::filesystem::remove(r.folder.path() / "wou-0008.dat");
    ASSERT_TRUE(r.bench.reader.openOutputFile());
    EXPECT_FALSE(r.bench.scene.movewall);
    EXPECT_TRUE(r.bench.log.contains(messages::kWallStepError));
}

TEST(ViewerCompanionStepping, ContactStatisticsOfTheShownStep) {
    OpenedRun r(contactRun(), ContactDisplay::DrawLines, false, "output.dat");
    ASSERT_TRUE(r.bench.reader.openOutputFile());
    const Scene& s = r.bench.scene;
    EXPECT_EQ(s.iloop, 3);
    EXPECT_EQ(s.ncont, 1);
    EXPECT_EQ(s.nwcont, 1);
    EXPECT_EQ(s.nctot, 2);
    EXPECT_EQ(s.contacts[1].fn, 6.0);
    EXPECT_EQ(s.contacts[2].fn, 3.0);
    EXPECT_EQ(s.avfn, 4.5);
    EXPECT_EQ(s.fnmax, 6.0);
    // Particle 2 turned 0.3 rad against an unturning particle 1.
    EXPECT_NEAR(s.avrot, 0.3, 1e-12);
    EXPECT_TRUE(r.bench.log.contains("average fn and average relative rotation are:4.5 and 0.3"));
}

TEST(ViewerCompanionStepping, OnlyWallContactsGiveZeroRotationAndNoContactsNoMessage) {
    ResultRun run = contactRun();
    for (Step& step : run.steps) step.ncont = 0;
    run.steps[3].contacts.clear();
    OpenedRun r(run, ContactDisplay::DrawLines, false);
    ASSERT_TRUE(r.bench.reader.openOutputFile());
    EXPECT_EQ(r.bench.scene.avrot, 0.0);
    EXPECT_EQ(r.bench.scene.avfn, 4.5);
    const size_t before = r.bench.log.messages.size();
    EXPECT_EQ(r.bench.reader.outdraw(), OutdrawResult::Read);
    EXPECT_EQ(r.bench.scene.nctot, 0);
    EXPECT_EQ(r.bench.scene.avfn, 0.0);
    EXPECT_EQ(r.bench.scene.fnmax, 0.0);
    EXPECT_EQ(r.bench.log.messages.size(), before);
    EXPECT_EQ(r.bench.reader.outdraw(), OutdrawResult::Read);
    EXPECT_EQ(r.bench.scene.nctot, 2);
}

TEST(ViewerCompanionStepping, HeaderMismatchSwitchesTheContactDisplayOff) {
    ResultRun run = contactRun();
    OpenedRun r(run, ContactDisplay::GrainSelect, false);
    ResultRun shifted = run;
    shifted.steps[3].iloop = 77;
    writeTextFile(r.folder.path() / "cn2-0007.dat", contactHeaderFileText(shifted));
    r.bench.options.relativeRotation = true;
    ASSERT_TRUE(r.bench.reader.openOutputFile());
    EXPECT_EQ(r.bench.options.contactDisplay, ContactDisplay::GrainSelect);
    r.bench.state.relativeRotationControl = true;
    EXPECT_EQ(r.bench.reader.outdraw(), OutdrawResult::Read);
    EXPECT_EQ(r.bench.log.messages.back(), messages::kContactHeaderError);
    EXPECT_EQ(r.bench.options.contactDisplay, ContactDisplay::No);
    EXPECT_FALSE(r.bench.options.relativeRotation);
    EXPECT_FALSE(r.bench.state.relativeRotationControl);
    EXPECT_EQ(r.bench.state.relativeRotationCaption, "Relative rotation ON");
    EXPECT_EQ(r.bench.log.beeps, 0);
}

TEST(ViewerCompanionStepping, GrainSelectionMarksBothParticlesAboveTheThreshold) {
    OpenedRun r(contactRun(), ContactDisplay::GrainSelect, false);
    ASSERT_TRUE(r.bench.reader.openOutputFile());
    // Step 3: fn 6 (pair 1-2) and 3 (particle 2 with a wall), average 4.5.
    EXPECT_TRUE(r.bench.scene.particles[1].selected);
    EXPECT_TRUE(r.bench.scene.particles[2].selected);
    EXPECT_FALSE(r.bench.scene.particles[0].selected);
    r.bench.options.ratio = 2.0f;  // threshold 9: nothing above
    r.bench.reader.recomputeSelection();
    EXPECT_FALSE(r.bench.scene.particles[1].selected);
    EXPECT_FALSE(r.bench.scene.particles[2].selected);
    r.bench.options.ratio = 0.5f;  // threshold 2.25: the wall contact too, jp = 0 marks nothing more
    r.bench.reader.recomputeSelection();
    EXPECT_TRUE(r.bench.scene.particles[1].selected);
    EXPECT_FALSE(r.bench.scene.particles[0].selected);
}

TEST(ViewerCompanionStepping, ReopenOpensTheContactStreamsOfTheRun) {
    OpenedRun r(contactRun(), ContactDisplay::No, false);
    ASSERT_TRUE(r.bench.reader.openOutputFile());
    EXPECT_EQ(r.bench.scene.nctot, 0);
    r.bench.options.contactDisplay = ContactDisplay::DrawLines;
    ASSERT_TRUE(r.bench.reader.reopenresults());
    EXPECT_EQ(r.bench.scene.iloop, 3);
    EXPECT_EQ(r.bench.scene.nctot, 2);
    EXPECT_EQ(r.bench.scene.avfn, 4.5);
}

TEST(ViewerCompanionStepping, MissingContactFilesSwitchTheDisplayOff) {
    OpenedRun r(contactRun(), ContactDisplay::DrawLines, false);
    std::filesystem::remove(r.folder.path() / "cn2-0007.dat");
    ASSERT_TRUE(r.bench.reader.openOutputFile());
    EXPECT_TRUE(r.bench.log.contains(messages::kContactHeaderError));
    EXPECT_EQ(r.bench.options.contactDisplay, ContactDisplay::No);
}

TEST(ViewerCompanionStepping, BadContactRecordsSwitchTheDisplayOff) {
    ResultRun run = contactRun();
    run.steps[3].contacts[0].ip = 20000;
    OpenedRun r(run, ContactDisplay::DrawLines, false);
    ASSERT_TRUE(r.bench.reader.openOutputFile());
    EXPECT_EQ(r.bench.reader.outdraw(), OutdrawResult::Read);
    EXPECT_EQ(r.bench.log.messages.back(), messages::kContactRecordError);
    EXPECT_EQ(r.bench.options.contactDisplay, ContactDisplay::No);
    EXPECT_EQ(r.bench.scene.nctot, 0);
}

TEST(ViewerCompanionStepping, TooManyContactsInAStepEndTheRun) {
    ResultRun run = contactRun();
    OpenedRun r(run, ContactDisplay::DrawLines, false);
    writeTextFile(r.folder.path() / "cn2-0007.dat", " 3 1 1\n 4 10000 1\n");
    ASSERT_TRUE(r.bench.reader.openOutputFile());
    EXPECT_EQ(r.bench.reader.outdraw(), OutdrawResult::Failed);
    EXPECT_EQ(r.bench.log.messages.back(), messages::kReadingError);
    EXPECT_EQ(r.bench.log.beeps, 1);
    EXPECT_TRUE(r.bench.reader.outputAtEnd());
}

}  // namespace
}  // namespace sorvath
