// The viewer session without a window: opening runs with and without the wall file,
// zoom and pan round trips, the animation's nskip stepping to the end of the run,
// the toggles that read the run again, the contact options and bad files.
#include "tests/viewer/core/recording_viewer.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/messages.h"

#include <gtest/gtest.h>

namespace sorvath {
namespace {

using namespace testing;
using testing::SessionBench;

struct OpenSession : SessionBench {
    TempFolder folder;
    // Writes the run with its wall and contact companions and opens it, answering the wall question.
    ViewerState open(const ResultRun& run, bool mountWalls = false, const std::string& name = "out-0001.dat") {
        writeRun(folder.path(), name, run, RecordLayout::Long, true, true);
        prompter.paths.push_back(folder.file(name));
        prompter.answers.push_back(mountWalls);
        return session.openOutput();
    }
};

TEST(ViewerSession, StartsWithTheGreetingAndEveryControlDisabled) {
    SessionBench b;
    const ViewerState state = b.session.start();
    EXPECT_EQ(b.log.messages, std::vector<std::string>{"Select any Input.dat or Output.dat from File tub -> Open. "});
    EXPECT_FALSE(state.animationControls);
    EXPECT_FALSE(state.viewControls);
    EXPECT_FALSE(state.relativeRotationControl);
    EXPECT_FALSE(state.running);
    EXPECT_EQ(state.nskip, 0);
    EXPECT_FALSE(state.step.has_value());
    EXPECT_EQ(state.picture, PictureChange::Kept);
    EXPECT_EQ(b.session.options().ratio, 1.0f);
    EXPECT_EQ(b.session.options().contactDisplay, ContactDisplay::No);
}

TEST(ViewerSession, OpeningAnOutputRunFitsTheViewAndShowsTheThirdBlock) {
    for (const bool walls : {false, true}) {
        SCOPED_TRACE(walls ? "with the wall file" : "without the wall file");
        OpenSession b;
        const ViewerState state = b.open(latticeRun(9, 5), walls);
        EXPECT_TRUE(state.succeeded);
        EXPECT_EQ(b.prompter.questions, std::vector<std::string>{messages::kWallQuestion});
        EXPECT_EQ(b.session.scene().movewall, walls);
        EXPECT_EQ(state.filename, b.folder.file("out-0001.dat"));
        EXPECT_EQ(state.step, 300);
        EXPECT_TRUE(state.animationControls);
        EXPECT_TRUE(state.viewControls);
        EXPECT_TRUE(state.fitted);
        EXPECT_EQ(state.picture, PictureChange::Redrawn);
        EXPECT_EQ(state.relativeRotationCaption, "Relative rotation ON");
        const ScaleState fit = fittedScale(extentOf(b.session.scene()), 533, 533);
        EXPECT_EQ(b.session.transform().scale().ScaleLeft, fit.ScaleLeft);
        EXPECT_EQ(b.session.transform().scale().ScaleWidth, fit.ScaleWidth);
        EXPECT_EQ(b.session.chosenPath(), b.folder.file("out-0001.dat"));
    }
}

TEST(ViewerSession, OpeningAnInputFileClearsTheStepAndDisablesTheAnimation) {
    OpenSession b;
    b.open(latticeRun(4, 4));
    writeTextFile(b.folder.path() / "input.dat", inputFileText(latticeRun(4, 2), RecordLayout::Long));
    b.prompter.paths = {b.folder.file("input.dat")};
    const ViewerState state = b.session.openInput();
    EXPECT_TRUE(state.succeeded);
    EXPECT_FALSE(state.step.has_value());
    EXPECT_FALSE(state.animationControls);
    EXPECT_FALSE(state.relativeRotationControl);
    EXPECT_TRUE(state.viewControls);
    EXPECT_EQ(state.picture, PictureChange::Redrawn);
    // An input file has no run to restart: the picture is only drawn again.
    const ViewerState restarted = b.session.restart();
    EXPECT_FALSE(restarted.succeeded);
    EXPECT_EQ(restarted.picture, PictureChange::Redrawn);
}

TEST(ViewerSession, BadFilesFailWithABeepAndLeaveNoPictureOfTheEarlierRun) {
    OpenSession b;
    b.open(latticeRun(4, 4));
    writeTextFile(b.folder.path() / "out-0002.dat", "this is not a run\n");
    struct Case {
        const char* name;
        std::string path;
        PictureChange picture;
    };
    const Case cases[] = {{"cancelled", "", PictureChange::Cleared},
                          {"absent", b.folder.file("out-0009.dat"), PictureChange::Cleared},
                          {"garbage", b.folder.file("out-0002.dat"), PictureChange::Cleared}};
    int beeps = b.log.beeps;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        b.prompter.paths = {c.path};
        const ViewerState state = b.session.openOutput();
        EXPECT_FALSE(state.succeeded);
        EXPECT_EQ(state.picture, c.picture);
        EXPECT_FALSE(state.fitted);
        EXPECT_EQ(state.filename, c.path);
        EXPECT_EQ(b.log.beeps, ++beeps);
        EXPECT_EQ(b.session.scene().nop, 0);
        EXPECT_TRUE(b.session.playback().atEnd());
        // Stepping a failed run does nothing.
        EXPECT_EQ(b.session.stepOnce().picture, PictureChange::Kept);
    }
}

TEST(ViewerSession, ZoomAndPanRoundTripsAndOriginalSizeRestoresTheLoadView) {
    OpenSession b;
    b.open(latticeRun(9, 4));
    const ScaleState loaded = b.session.transform().scale();
    ViewerState state = b.session.zoom(true);
    EXPECT_EQ(b.log.messages.back(), "Zoom-in");
    EXPECT_EQ(state.picture, PictureChange::Redrawn);
    const ScaleState zoomed = b.session.transform().scale();
    EXPECT_FLOAT_EQ(zoomed.ScaleWidth, loaded.ScaleWidth / 1.2f);
    // The centre stays where it was.
    EXPECT_FLOAT_EQ(zoomed.ScaleLeft + zoomed.ScaleWidth / 2, loaded.ScaleLeft + loaded.ScaleWidth / 2);
    EXPECT_FLOAT_EQ(zoomed.ScaleTop + zoomed.ScaleHeight / 2, loaded.ScaleTop + loaded.ScaleHeight / 2);
    b.session.zoom(false);
    EXPECT_EQ(b.log.messages.back(), "Zoom-out");
    EXPECT_FLOAT_EQ(b.session.transform().scale().ScaleLeft, loaded.ScaleLeft);
    EXPECT_FLOAT_EQ(b.session.transform().scale().ScaleTop, loaded.ScaleTop);
    EXPECT_FLOAT_EQ(b.session.transform().scale().ScaleWidth, loaded.ScaleWidth);
    EXPECT_FLOAT_EQ(b.session.transform().scale().ScaleHeight, loaded.ScaleHeight);

    const std::pair<PanDirection, const char*> pans[] = {{PanDirection::Up, "Up"},
                                                         {PanDirection::Down, "Down"},
                                                         {PanDirection::Left, "Left"},
                                                         {PanDirection::Right, "Right"}};
    for (const auto& pan : pans) {
        EXPECT_EQ(b.session.pan(pan.first).picture, PictureChange::Redrawn);
        EXPECT_EQ(b.log.messages.back(), pan.second);
    }
    // Up and down, left and right cancel out.
    EXPECT_FLOAT_EQ(b.session.transform().scale().ScaleLeft, loaded.ScaleLeft);
    EXPECT_FLOAT_EQ(b.session.transform().scale().ScaleTop, loaded.ScaleTop);

    b.session.zoom(true);
    b.session.pan(PanDirection::Up);
    b.session.pan(PanDirection::Right);
    EXPECT_GT(b.session.transform().scale().ScaleTop, zoomed.ScaleTop);
    EXPECT_GT(b.session.transform().scale().ScaleLeft, zoomed.ScaleLeft);
    state = b.session.originalSize();
    EXPECT_EQ(b.log.messages.back(), "Now you have an original image size.");
    EXPECT_TRUE(state.fitted);
    EXPECT_EQ(state.picture, PictureChange::Redrawn);
    EXPECT_EQ(b.session.transform().scale().ScaleLeft, loaded.ScaleLeft);
    EXPECT_EQ(b.session.transform().scale().ScaleTop, loaded.ScaleTop);
    EXPECT_EQ(b.session.transform().scale().ScaleWidth, loaded.ScaleWidth);
}

TEST(ViewerSession, NskipCountsUpAndNeverBelowZeroOrBeyondItsLimit) {
    SessionBench b;
    EXPECT_EQ(b.session.skipLess().nskip, 0);
    for (int k = 0; k < 3; ++k) b.session.skipMore();
    EXPECT_EQ(b.session.skipLess().nskip, 2);
    for (int k = 0; k < kMaxSkip; ++k) b.session.skipMore();
    EXPECT_EQ(b.session.state().nskip, kMaxSkip);
}

TEST(ViewerSession, TheTimerShowsEveryBlockOrEveryFifthAndStopsAtTheEndOfTheRun) {
    OpenSession b;
    b.open(latticeRun(4, 14));
    // Stopped: a tick changes nothing.
    EXPECT_EQ(b.session.tick().picture, PictureChange::Kept);
    EXPECT_EQ(b.session.scene().iloop, 300);
    EXPECT_TRUE(b.session.startAnimation().running);
    EXPECT_EQ(b.log.messages.back(), "Doing animation...");
    ViewerState state = b.session.tick();
    EXPECT_EQ(state.step, 400);
    EXPECT_EQ(state.picture, PictureChange::Redrawn);
    for (int k = 0; k < 4; ++k) b.session.skipMore();
    EXPECT_EQ(b.session.tick().step, 900);
    state = b.session.tick();
    EXPECT_EQ(state.step, 1400);
    EXPECT_TRUE(state.running);
    // Nothing is left: the animation stops without a new picture.
    state = b.session.tick();
    EXPECT_FALSE(state.running);
    EXPECT_EQ(state.picture, PictureChange::Kept);
    EXPECT_EQ(state.step, 1400);
    EXPECT_EQ(b.log.messages.back(), "Animation is finished. Press 'Return' button.");
    const size_t messages = b.log.messages.size();
    EXPECT_EQ(b.session.tick().picture, PictureChange::Kept);
    EXPECT_EQ(b.log.messages.size(), messages);
}

TEST(ViewerSession, PlaybackStepsReportTheEndAReadFailureAndAWallOutOfStep) {
    {
        OpenSession b;
        b.open(latticeRun(4, 6));
        EXPECT_EQ(b.session.playback().step(1, ContactDisplay::No), StepOutcome::Shown);
        EXPECT_EQ(b.session.scene().iloop, 500);
        // One block left, two asked for.
        EXPECT_EQ(b.session.playback().step(1, ContactDisplay::No), StepOutcome::RunEnded);
        EXPECT_EQ(b.session.scene().iloop, 600);
    }
    {
        OpenSession b;
        std::string text = outputFileText(latticeRun(4, 5), RecordLayout::Long);
        text.resize(text.size() - 20);  // cut inside the last block
        writeTextFile(b.folder.path() / "output.dat", text);
        b.prompter.paths = {b.folder.file("output.dat")};
        ASSERT_TRUE(b.session.openOutput().succeeded);
        EXPECT_EQ(b.session.playback().step(3, ContactDisplay::No), StepOutcome::ReadFailed);
        EXPECT_EQ(b.log.messages.back(), messages::kReadingError);
        EXPECT_TRUE(b.session.playback().atEnd());
    }
    {
        OpenSession b;
        ResultRun run = latticeRun(4, 6);
        writeRun(b.folder.path(), "out-0001.dat", run, RecordLayout::Long, true, true);
        ResultRun shifted = run;
        shifted.steps[4].iloop = 9999;
        writeTextFile(b.folder.path() / companionNamesFor("out-0001.dat").wall, wallFileText(shifted));
        b.prompter.paths = {b.folder.file("out-0001.dat")};
        b.prompter.answers = {true};
        ASSERT_TRUE(b.session.openOutput().succeeded);
        ASSERT_TRUE(b.session.scene().movewall);
        EXPECT_EQ(b.session.playback().step(3, ContactDisplay::No), StepOutcome::WallMismatch);
        EXPECT_EQ(b.session.scene().iloop, 500);
        EXPECT_FALSE(b.session.scene().movewall);
    }
}

TEST(ViewerSession, StepOnceAndRestartFollowTheRun) {
    OpenSession b;
    b.open(latticeRun(4, 5));
    b.session.stepOnce();
    EXPECT_EQ(b.session.stepOnce().step, 500);
    const ViewerState atEnd = b.session.stepOnce();
    EXPECT_EQ(atEnd.step, 500);
    EXPECT_EQ(atEnd.picture, PictureChange::Kept);
    b.session.startAnimation();
    EXPECT_FALSE(b.session.stopAnimation().running);
    EXPECT_EQ(b.log.messages.back(), "Animation is stoped");
    const ViewerState restarted = b.session.restart();
    EXPECT_TRUE(restarted.succeeded);
    EXPECT_EQ(restarted.step, 300);
    EXPECT_FALSE(restarted.fitted);
}

TEST(ViewerSession, OpeningAnotherRunOrHaltingStopsTheAnimation) {
    OpenSession b;
    b.open(latticeRun(4, 6));
    b.session.startAnimation();
    EXPECT_FALSE(b.open(latticeRun(9, 6), false, "out-0002.dat").running);
    b.session.startAnimation();
    const size_t messages = b.log.messages.size();
    EXPECT_FALSE(b.session.halt().running);
    EXPECT_EQ(b.log.messages.size(), messages);  // silently
}

struct ToggleCase {
    const char* name;
    ViewerState (ViewerSession::*toggle)();
    bool ViewOptions::*option;
    const char* captionOn;  // after switching it on
    const char* captionOff;
    std::string ViewerState::*caption;
    bool rereads;
};

TEST(ViewerSession, TogglesNameTheNextActionAndColourAndRelativeRotationReadTheRunAgain) {
    const ToggleCase cases[] = {
        {"periodic", &ViewerSession::togglePeriodic, &ViewOptions::periodic, "Periodic OFF", "Periodic ON",
         &ViewerState::periodicCaption, false},
        {"colour", &ViewerSession::toggleColour, &ViewOptions::colour, "Color OFF", "Color ON",
         &ViewerState::colourCaption, true},
        {"relative rotation", &ViewerSession::toggleRelativeRotation, &ViewOptions::relativeRotation,
         "Relative rotation OFF", "Relative rotation ON", &ViewerState::relativeRotationCaption, true},
    };
    for (const ToggleCase& c : cases) {
        SCOPED_TRACE(c.name);
        OpenSession b;
        b.open(latticeRun(4, 8));
        b.session.stepOnce();
        b.session.stepOnce();
        b.session.zoom(true);
        const ScaleState zoomed = b.session.transform().scale();
        ViewerState state = (b.session.*c.toggle)();
        EXPECT_TRUE(b.session.options().*c.option);
        EXPECT_EQ(state.*c.caption, c.captionOn);
        EXPECT_EQ(state.picture, PictureChange::Redrawn);
        // Read again from the start, keeping the zoom; or only drawn again.
        EXPECT_EQ(state.step, c.rereads ? 300 : 500);
        EXPECT_FALSE(state.fitted);
        EXPECT_EQ(b.session.transform().scale().ScaleWidth, zoomed.ScaleWidth);
        state = (b.session.*c.toggle)();
        EXPECT_FALSE(b.session.options().*c.option);
        EXPECT_EQ(state.*c.caption, c.captionOff);
    }
}

TEST(ViewerSession, ContactOptionsReadTheRunAgainAndNoSwitchesRelativeRotationOff) {
    OpenSession b;
    b.open(latticeRun(9, 6));
    b.session.stepOnce();
    ViewerState state = b.session.showContacts(ContactDisplay::DrawLines);
    EXPECT_EQ(b.session.options().contactDisplay, ContactDisplay::DrawLines);
    EXPECT_TRUE(state.relativeRotationControl);
    EXPECT_EQ(state.step, 300);
    EXPECT_GT(b.session.scene().nctot, 0);
    b.session.toggleRelativeRotation();
    ASSERT_TRUE(b.session.options().relativeRotation);
    state = b.session.showContacts(ContactDisplay::No);
    EXPECT_EQ(b.session.options().contactDisplay, ContactDisplay::No);
    EXPECT_FALSE(b.session.options().relativeRotation);
    EXPECT_FALSE(state.relativeRotationControl);
    EXPECT_EQ(state.relativeRotationCaption, "Relative rotation ON");
    EXPECT_EQ(state.picture, PictureChange::Redrawn);
    EXPECT_EQ(state.step, 300);
}

TEST(ViewerSession, ContactFilesOutOfStepSwitchTheDisplayOff) {
    OpenSession b;
    ResultRun run = latticeRun(9, 6);
    b.open(run);
    ResultRun shifted = run;
    shifted.steps[3].iloop = 999;
    writeTextFile(b.folder.path() / companionNamesFor("out-0001.dat").contactHeaders, contactHeaderFileText(shifted));
    b.session.showContacts(ContactDisplay::DrawLines);
    b.session.toggleRelativeRotation();
    const ViewerState state = b.session.stepOnce();  // the fourth block's header is out of step
    EXPECT_EQ(b.log.messages.back(), messages::kContactHeaderError);
    EXPECT_EQ(b.session.options().contactDisplay, ContactDisplay::No);
    EXPECT_FALSE(b.session.options().relativeRotation);
    EXPECT_FALSE(state.relativeRotationControl);
    EXPECT_TRUE(state.animationControls);
    EXPECT_EQ(state.relativeRotationCaption, "Relative rotation ON");
}

TEST(ViewerSession, TheRatioKeepsItsValueWithoutAnEntryAndSelectsGrainsAgain) {
    OpenSession b;
    b.open(latticeRun(9, 5));
    b.session.showContacts(ContactDisplay::GrainSelect);
    const auto selected = [&b] {
        int count = 0;
        for (int i = 1; i <= b.session.scene().nop; ++i) count += b.session.scene().particles[i].selected ? 1 : 0;
        return count;
    };
    EXPECT_EQ(b.session.changeRatio(2.5f).picture, PictureChange::Redrawn);
    EXPECT_EQ(b.session.options().ratio, 2.5f);
    const int high = selected();
    b.session.changeRatio(std::nullopt);
    EXPECT_EQ(b.session.options().ratio, 2.5f);
    b.session.changeRatio(0.5f);
    EXPECT_GT(selected(), high);
}

}  // namespace
}  // namespace sorvath
