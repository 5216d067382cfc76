#include "tests/viewer/export/export_rig.h"
#include "viewer/core/messages.h"
#include "viewer/export/export_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace sorvath {
namespace {

using namespace test_support;
using testdata::ResultRun;

// Two discs in a box; the first moves a clear distance every step, so every
// block gives a different picture. Step numbers are 10, 20, 30, ...
ResultRun movingRun(int blocks) {
    ResultRun run;
    run.shapes = {{1.0, 1.0, 20}, {1.0, 0.6, 5}};
    run.walls = {{0.0, 0.0, 12.0, 0.0}, {12.0, 0.0, 12.0, 12.0}};
    for (int s = 1; s <= blocks; ++s) {
        testdata::Step step;
        step.iloop = 10 * s;
        step.poses = {{1.0 + 0.5 * s, 3.0, 0.0}, {6.0, 8.0, 0.2 * s}};
        step.walls = {{0.0, 0.0, 12.0, 0.1 * s}, {12.0, 0.0, 12.0, 12.0}};
        run.steps.push_back(step);
    }
    return run;
}

int count(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

// The assembler's keystroke units for a given number of Shift+Down strokes.
std::vector<std::string> expectedScript(int shiftDowns) {
    std::vector<std::string> keys = {"{TAB}", "{Down}", "{UP}"};
    keys.insert(keys.end(), static_cast<size_t>(shiftDowns), "+{Down}");
    keys.insert(keys.end(), 7, "{TAB}");
    keys.push_back("{enter}");
    keys.insert(keys.end(), 8, "{TAB}");
    for (const char* unit : {"{enter}", "{TAB}", "{enter}", "tempanim.gif", "{enter}", "%{F4}", "{enter}"})
        keys.push_back(unit);
    return keys;
}

TEST(AnimationExport, ThreeBlocksExportNoFrameAndStillDriveTheAssembler) {
    ExportRig rig(movingRun(3));
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::AssemblerDriven);
    EXPECT_TRUE(rig.frameFiles().empty());
    EXPECT_TRUE(std::filesystem::exists(rig.programFolder.file("temp.bmp")));
    EXPECT_EQ(count(rig.log.messages, export_messages::kTranslating), 0);
    EXPECT_EQ(rig.keys.sent, expectedScript(5));

    ASSERT_EQ(rig.launcher.requests.size(), 1u);
    const LaunchRequest& start = rig.launcher.requests[0];
    EXPECT_EQ(start.program, rig.programFolder.file("flikkor"));
    EXPECT_TRUE(start.arguments.empty());
    EXPECT_EQ(std::filesystem::path(start.workingDirectory), std::filesystem::path(rig.settings.programFolder));
    // Own window first, then the assembler before its keys, then the own window again.
    EXPECT_EQ(rig.windows.activated, (std::vector<std::string>{"Sorvath", "Reelwright", "Sorvath"}));
}

TEST(AnimationExport, FourBlocksExportOneFrameShowingTheThirdBlock) {
    const ResultRun run = movingRun(4);
    ExportRig rig(run);
    rig.reader.outdraw();  // the export starts from the beginning whatever was shown
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::AssemblerDriven);

    EXPECT_EQ(rig.frameFiles(), (std::vector<std::string>{"temp-101.gif"}));
    const QImage third = pictureOfBlock(run, 3);
    EXPECT_EQ(decodeGif(rig.programFolder.file("temp-101.gif")), third);
    EXPECT_NE(pictureOfBlock(run, 4), third);
    // The block read last is drawn but not exported.
    EXPECT_EQ(rig.picture.image(), pictureOfBlock(run, 4));
    EXPECT_EQ(rig.display.stepNumber, "40");
    EXPECT_EQ(rig.keys.sent, expectedScript(6));
    EXPECT_EQ(count(rig.log.messages, export_messages::kTranslating), 1);
    EXPECT_EQ(rig.log.messages.back(), export_messages::kComplete);
}

TEST(AnimationExport, NskipTwoGivesFramesThreeStepsApart) {
    const ResultRun run = movingRun(10);
    ExportRig rig(run);
    EXPECT_EQ(rig.exportAnswering(true, 2), ExportOutcome::AssemblerDriven);
    EXPECT_EQ(rig.frameFiles(), (std::vector<std::string>{"temp-101.gif", "temp-102.gif", "temp-103.gif"}));
    EXPECT_EQ(decodeGif(rig.programFolder.file("temp-101.gif")), pictureOfBlock(run, 3));
    EXPECT_EQ(decodeGif(rig.programFolder.file("temp-102.gif")), pictureOfBlock(run, 6));
    EXPECT_EQ(decodeGif(rig.programFolder.file("temp-103.gif")), pictureOfBlock(run, 9));
    EXPECT_EQ(count(rig.keys.sent, "+{Down}"), 8);
    // Block 10 was read while skipping, then the end was found.
    EXPECT_EQ(rig.scene.iloop, 100);
    EXPECT_EQ(rig.log.messages.back(), export_messages::kComplete);
}

TEST(AnimationExport, CheckPointQuestionIsAskedAsWrittenAndNoOnlyRestartsTheDisplay) {
    ExportRig rig(movingRun(6));
    rig.reader.outdraw();
    rig.reader.outdraw();
    ASSERT_EQ(rig.scene.iloop, 50);
    const size_t drawsBefore = static_cast<size_t>(rig.display.count("drawscene"));

    EXPECT_EQ(rig.exportAnswering(false), ExportOutcome::Declined);
    EXPECT_EQ(rig.prompter.questions.back(),
              "Check points: (1)Delete all the GIF files in the current (program) directory.  (2)Change the "
              "opening directory into the current one in 'flikkor'. After that, click YES.");
    EXPECT_EQ(rig.scene.iloop, 30);  // back at the start of the run
    EXPECT_EQ(static_cast<size_t>(rig.display.count("drawscene")), drawsBefore + 1);
    EXPECT_TRUE(std::filesystem::is_empty(rig.programFolder.path()));
    EXPECT_TRUE(rig.keys.sent.empty());
    EXPECT_TRUE(rig.launcher.requests.empty());
    EXPECT_EQ(count(rig.log.messages, export_messages::kTranslating), 0);
}

TEST(AnimationExport, WallStepMismatchEndsAtOnceWithoutTheFinishingSequence) {
    ResultRun run = movingRun(6);
    ExportRig rig(run, true);
    // The wall file loses step with the output file at block 5.
    run.steps[4].iloop = 51;
    testdata::writeTextFile(rig.runFolder.path() / testdata::companionNamesFor("out-0007.dat").wall,
                            testdata::wallFileText(run));
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::WallMismatch);
    EXPECT_EQ(rig.frameFiles(), (std::vector<std::string>{"temp-101.gif", "temp-102.gif"}));
    EXPECT_EQ(rig.log.messages.back(), messages::kWallStepError);
    EXPECT_FALSE(rig.scene.movewall);
    EXPECT_EQ(count(rig.log.messages, export_messages::kComplete), 0);
    EXPECT_TRUE(rig.keys.sent.empty());
    EXPECT_TRUE(rig.launcher.requests.empty());
}

TEST(AnimationExport, WithoutADisplayTheFramesAreWrittenAndTheLogExplains) {
    ExportRig rig(movingRun(5));
    EXPECT_EQ(rig.exportAnswering(true, 0, false), ExportOutcome::FramesOnly);
    EXPECT_EQ(rig.frameFiles(), (std::vector<std::string>{"temp-101.gif", "temp-102.gif"}));
    EXPECT_EQ(rig.log.messages.back(), export_messages::kNoDisplay);
    EXPECT_TRUE(rig.launcher.requests.empty());
}

TEST(AnimationExport, UnwritableProgramFolderIsReportedBeforeAnythingIsExported) {
    ExportRig rig(movingRun(5));
    rig.settings.programFolder = rig.programFolder.file("missing") + "/";
    const size_t questions = rig.prompter.questions.size();
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::NotWritable);
    EXPECT_EQ(rig.log.messages.back(), export_messages::kFolderNotWritable + rig.settings.programFolder);
    EXPECT_EQ(rig.prompter.questions.size(), questions);
    EXPECT_TRUE(std::filesystem::is_empty(rig.programFolder.path()));
    EXPECT_TRUE(rig.launcher.requests.empty());
}

TEST(AnimationExport, NoKeysAreSentWhenTheAssemblerDoesNotStartOrShowItsWindow) {
    ExportRig failing(movingRun(4));
    failing.launcher.starts = false;
    EXPECT_EQ(failing.exportAnswering(true), ExportOutcome::FramesOnly);
    EXPECT_TRUE(failing.keys.sent.empty());
    EXPECT_EQ(failing.log.messages.back(),
              export_messages::kAssemblerNotStarted + failing.programFolder.file("flikkor"));

    ExportRig windowless(movingRun(4));
    windowless.launcher.opensWindow = false;
    EXPECT_EQ(windowless.exportAnswering(true), ExportOutcome::FramesOnly);
    EXPECT_TRUE(windowless.keys.sent.empty());
    EXPECT_EQ(windowless.log.messages.back(), export_messages::kAssemblerNoWindow);
    EXPECT_EQ(windowless.frameFiles(), (std::vector<std::string>{"temp-101.gif"}));
}

TEST(AnimationExport, FramesCarryNoContactMarksAndTheContactChoiceIsKept) {
    testdata::ResultRun run = movingRun(5);
    for (testdata::Step& step : run.steps) step.contacts = {{1, 2, 4.0, 5.0, 0.5, -3.0, 0.0}};
    ExportRig rig(run, false, ContactDisplay::DrawLines);
    rig.options.relativeRotation = true;
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::AssemblerDriven);
    EXPECT_EQ(rig.options.contactDisplay, ContactDisplay::DrawLines);
    EXPECT_TRUE(rig.options.relativeRotation);
    EXPECT_EQ(decodeGif(rig.programFolder.file("temp-101.gif")), pictureOfBlock(movingRun(5), 3));
    EXPECT_EQ(decodeGif(rig.programFolder.file("temp-102.gif")), pictureOfBlock(movingRun(5), 4));
}

}  // namespace
}  // namespace sorvath
