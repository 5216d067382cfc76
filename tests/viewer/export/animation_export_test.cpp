#include "tests/support/file_size_limit.h"
#include "tests/viewer/export/export_rig.h"
#include "viewer/core/messages.h"
#include "viewer/export/export_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sorvath {
namespace {

using namespace testing;
using testing::ResultRun;

// Two discs in a box; the first moves a clear distance every step, so every
// block gives a different picture. Step numbers are 10, 20, 30, ...
ResultRun movingRun(int blocks) {
    ResultRun run;
    run.shapes = {{1.0, 1.0, 20}, {1.0, 0.6, 5}};
    run.walls = {{0.0, 0.0, 12.0, 0.0}, {12.0, 0.0, 12.0, 12.0}};
    for (int s = 1; s <= blocks; ++s) {
        testing::Step step;
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
std::vector<std::string> expectedScript(int shiftDowns, const std::string& animation) {
    std::vector<std::string> keys = {"{TAB}", "{Down}", "{UP}"};
    keys.insert(keys.end(), static_cast<size_t>(shiftDowns), "+{Down}");
    keys.insert(keys.end(), 7, "{TAB}");
    keys.push_back("{enter}");
    keys.insert(keys.end(), 8, "{TAB}");
    for (const std::string& unit : {std::string("{enter}"), std::string("{TAB}"), std::string("{enter}"), animation,
                                    std::string("{enter}"), std::string("%{F4}"), std::string("{enter}")})
        keys.push_back(unit);
    return keys;
}

size_t indexOf(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<size_t>(std::find(texts.begin(), texts.end(), text) - texts.begin());
}

bool startsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

TEST(AnimationExport, ThreeBlocksExportNoFrameAndStopAtFlikkorsErrorInsteadOfTypingIntoIt) {
    ExportRig rig(movingRun(3));
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::AssemblerStopped);
    EXPECT_TRUE(std::filesystem::is_empty(rig.exportFolder()));
    EXPECT_EQ(count(rig.log.messages, export_messages::kTranslating), 0);
    // Everything up to the make button, then nothing into the error box.
    std::vector<std::string> upToMake = expectedScript(5, rig.animationPath());
    upToMake.resize(upToMake.size() - 4);
    EXPECT_EQ(rig.desktop.sentToFlikkor(), upToMake);
    EXPECT_EQ(rig.desktop.received.size(), upToMake.size());
    EXPECT_EQ(rig.log.messages.back(), std::string(export_messages::kKeysStopped) +
                                           "after key string 27 of 31 (\"{enter}\") flikkor showed "
                                           "\"Reelwright:エラー\" where \"ファイル作成\" was expected" +
                                           export_messages::kFramesAreIn + rig.exportFolder().string());

    // flikkor from the program folder, on the export folder and in it.
    ASSERT_EQ(rig.desktop.requests.size(), 1u);
    const LaunchRequest& start = rig.desktop.requests[0];
    EXPECT_EQ(start.program, rig.programFolder.file("flikkor"));
    EXPECT_EQ(start.arguments, std::vector<std::string>{rig.exportFolder().string()});
    EXPECT_EQ(start.workingDirectory, rig.exportFolder().string());
    // Own window before the start and after the keys; flikkor's own window by its process.
    EXPECT_EQ(rig.desktop.activated, (std::vector<std::string>{"Sorvath", "Sorvath"}));
    EXPECT_EQ(rig.desktop.focusRequests, std::vector<WindowId>{FakeDesktop::kMainWindow});
}

TEST(AnimationExport, FourBlocksExportOneFrameShowingTheThirdBlock) {
    const ResultRun run = movingRun(4);
    ExportRig rig(run);
    rig.session.stepOnce();  // the export starts from the beginning whatever was shown
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::AnimationMade);

    EXPECT_EQ(rig.frameFiles(), (std::vector<std::string>{"temp-101.gif"}));
    EXPECT_EQ(rig.exportFolderContents().size(), 2u);  // and the animation: no bitmap, no temporary file
    const QImage third = pictureOfBlock(run, 3);
    EXPECT_EQ(decodeGif(rig.exportFile("temp-101.gif")), third);
    EXPECT_NE(pictureOfBlock(run, 4), third);
    // The block read last is drawn but not exported.
    EXPECT_EQ(rig.picture.image(), pictureOfBlock(run, 4));
    EXPECT_EQ(rig.display.stepNumber, "40");
    EXPECT_EQ(rig.desktop.sentToFlikkor(), expectedScript(6, rig.animationPath()));
    EXPECT_EQ(rig.desktop.typedPath, rig.animationPath());
    EXPECT_EQ(count(rig.log.messages, export_messages::kTranslating), 1);
    // The frames are complete, then flikkor is driven, then the animation is checked.
    const size_t complete = indexOf(rig.log.messages, export_messages::kComplete);
    const size_t driving = indexOf(rig.log.messages, export_messages::kDriving);
    EXPECT_LT(complete, driving);
    EXPECT_EQ(driving + 1, rig.log.messages.size() - 1);
    EXPECT_EQ(rig.log.messages.back(), "Animation GIF is made: " + rig.animationPath() + " (1 frames)");
}

TEST(AnimationExport, NskipTwoGivesFramesThreeStepsApart) {
    const ResultRun run = movingRun(10);
    ExportRig rig(run);
    EXPECT_EQ(rig.exportAnswering(true, 2), ExportOutcome::AnimationMade);
    EXPECT_EQ(rig.frameFiles(), (std::vector<std::string>{"temp-101.gif", "temp-102.gif", "temp-103.gif"}));
    EXPECT_EQ(decodeGif(rig.exportFile("temp-101.gif")), pictureOfBlock(run, 3));
    EXPECT_EQ(decodeGif(rig.exportFile("temp-102.gif")), pictureOfBlock(run, 6));
    EXPECT_EQ(decodeGif(rig.exportFile("temp-103.gif")), pictureOfBlock(run, 9));
    EXPECT_EQ(count(rig.desktop.sentToFlikkor(), "+{Down}"), 8);
    // Block 10 was read while skipping, then the end was found.
    EXPECT_EQ(rig.scene.iloop, 100);
    EXPECT_EQ(count(rig.log.messages, export_messages::kComplete), 1);
    EXPECT_EQ(rig.log.messages.back(), "Animation GIF is made: " + rig.animationPath() + " (3 frames)");
}

TEST(AnimationExport, ThePreparationQuestionNamesTheFolderAndNoOnlyRestartsTheDisplay) {
    ExportRig rig(movingRun(6));
    rig.session.stepOnce();
    rig.session.stepOnce();
    ASSERT_EQ(rig.scene.iloop, 50);
    const size_t drawsBefore = static_cast<size_t>(rig.display.count("drawscene"));

    EXPECT_EQ(rig.exportAnswering(false), ExportOutcome::Declined);
    const std::string& question = rig.prompter.questions.back();
    EXPECT_NE(question.find(" " + rig.exportFolder().string() + " "), std::string::npos) << question;
    EXPECT_NE(question.find("driven by keystrokes"), std::string::npos) << question;
    EXPECT_EQ(rig.scene.iloop, 30);  // back at the start of the run
    EXPECT_EQ(static_cast<size_t>(rig.display.count("drawscene")), drawsBefore + 1);
    // The folder made for the export is gone again.
    EXPECT_FALSE(std::filesystem::exists(rig.exportFolder()));
    EXPECT_TRUE(std::filesystem::is_empty(rig.cacheFolder.path()));
    EXPECT_TRUE(rig.desktop.received.empty());
    EXPECT_TRUE(rig.desktop.requests.empty());
    EXPECT_EQ(count(rig.log.messages, export_messages::kTranslating), 0);
}

TEST(AnimationExport, WallStepMismatchEndsAtOnceWithoutTheFinishingSequence) {
    ResultRun run = movingRun(6);
    ExportRig rig(run, true);
    // The wall file loses step with the output file at block 5.
    run.steps[4].iloop = 51;
    testing::writeTextFile(rig.runPath / testing::companionNamesFor("out-0007.dat").wall, testing::wallFileText(run));
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::WallMismatch);
    EXPECT_EQ(rig.frameFiles(), (std::vector<std::string>{"temp-101.gif", "temp-102.gif"}));
    EXPECT_EQ(rig.log.messages.back(), messages::kWallStepError);
    EXPECT_FALSE(rig.scene.movewall);
    EXPECT_EQ(count(rig.log.messages, export_messages::kComplete), 0);
    EXPECT_TRUE(rig.desktop.received.empty());
    EXPECT_TRUE(rig.desktop.requests.empty());
}

TEST(AnimationExport, WithoutADisplayTheFramesAreWrittenAndTheLogExplains) {
    ExportRig rig(movingRun(5));
    EXPECT_EQ(rig.exportAnswering(true, 0, false), ExportOutcome::FramesOnly);
    EXPECT_EQ(rig.frameFiles(), (std::vector<std::string>{"temp-101.gif", "temp-102.gif"}));
    EXPECT_EQ(rig.log.messages.back(), export_messages::kNoDisplay + rig.exportFolder().string());
    EXPECT_TRUE(rig.desktop.requests.empty());
}

TEST(AnimationExport, NoKeysAreSentWhenTheAssemblerDoesNotStartOrShowItsWindow) {
    ExportRig failing(movingRun(4));
    failing.desktop.starts = false;
    EXPECT_EQ(failing.exportAnswering(true), ExportOutcome::FramesOnly);
    EXPECT_TRUE(failing.desktop.received.empty());
    EXPECT_EQ(failing.log.messages.back(), export_messages::kAssemblerNotStarted +
                                               failing.programFolder.file("flikkor") + export_messages::kFramesAreIn +
                                               failing.exportFolder().string());

    ExportRig windowless(movingRun(4));
    windowless.desktop.opensWindow = false;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(windowless.exportAnswering(true), ExportOutcome::FramesOnly);
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(300));
    EXPECT_TRUE(windowless.desktop.received.empty());
    EXPECT_TRUE(windowless.desktop.focusRequests.empty());
    EXPECT_EQ(windowless.log.messages.back(),
              std::string(export_messages::kKeysStopped) +
                  "no window of the flikkor just started (process 4242) appeared within 0.3 s, so no key was sent" +
                  export_messages::kFramesAreIn + windowless.exportFolder().string());
    EXPECT_EQ(count(windowless.log.messages, export_messages::kDriving), 0);
    EXPECT_EQ(windowless.frameFiles(), (std::vector<std::string>{"temp-101.gif"}));
    EXPECT_GT(windowless.pauses, 10);  // the viewer's events ran while it waited
}

TEST(AnimationExport, AFlikkorAlreadyRunningIsNeverFocusedOrTypedInto) {
    ExportRig rig(movingRun(5));
    const WindowId decoy = rig.desktop.addWindow(777, "Reelwright");
    rig.desktop.focus = decoy;  // the user was working in it
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::AnimationMade);
    EXPECT_EQ(std::count(rig.desktop.focusRequests.begin(), rig.desktop.focusRequests.end(), decoy), 0);
    for (const FakeDesktop::Received& r : rig.desktop.received) EXPECT_NE(r.window, decoy) << r.keys;
    EXPECT_TRUE(rig.desktop.isShown(decoy));
    EXPECT_EQ(rig.desktop.sentToFlikkor(), expectedScript(7, rig.animationPath()));
}

TEST(AnimationExport, AFocusTakenAwayStopsTheKeysBeforeTheNextString) {
    ExportRig rig(movingRun(5));
    const WindowId other = rig.desktop.addWindow(555, "Notes");
    rig.desktop.afterSend = [&](size_t sent) {
        if (sent == 10) rig.desktop.focus = other;  // the user clicked into another window
    };
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::AssemblerStopped);
    EXPECT_EQ(rig.desktop.received.size(), 10u);
    for (const FakeDesktop::Received& r : rig.desktop.received) EXPECT_EQ(r.window, FakeDesktop::kMainWindow);
    EXPECT_EQ(rig.log.messages.back(),
              std::string(export_messages::kKeysStopped) +
                  "before key string 11 of 33 (\"{TAB}\") the keyboard focus was on \"Notes\" instead of flikkor's "
                  "window \"Reelwright\", so it and the rest were not sent" +
                  export_messages::kFramesAreIn + rig.exportFolder().string());
}

TEST(AnimationExport, ASaveDialogThatNeverComesStopsTheKeysAndSaysWhatWasAwaited) {
    ExportRig rig(movingRun(5));
    rig.desktop.opensSaveDialog = false;
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::AssemblerStopped);
    EXPECT_EQ(rig.desktop.received.size(), 29u);  // up to and with the make button's Enter
    EXPECT_EQ(rig.log.messages.back(),
              std::string(export_messages::kKeysStopped) +
                  "after key string 29 of 33 (\"{enter}\") flikkor's window \"ファイル作成\" did not take the "
                  "keyboard focus within 0.3 s (the keyboard focus is on \"Reelwright\")" +
                  export_messages::kFramesAreIn + rig.exportFolder().string());
}

TEST(AnimationExport, AnAnimationThatIsNotEveryFrameInOrderIsReportedAsNotMade) {
    const auto swapFirstTwo = [](std::vector<std::string>& files) { std::swap(files[0], files[1]); };
    const auto repeatFirst = [](std::vector<std::string>& files) { files[2] = files[0]; };
    const auto oneMore = [](std::vector<std::string>& files) { files.push_back(files[0]); };
    const struct {
        const char* name;
        std::function<void(std::vector<std::string>&)> arrange;
        bool writes;
        bool oldAnimation;
        std::string reason;  // "@" stands for the animation's path
    } cases[] = {
        {"not written", nullptr, false, false, "flikkor did not write @"},
        {"earlier one removed first", nullptr, false, true, "flikkor did not write @"},
        {"one image more", oneMore, true, false, "@ holds 4 images instead of 3"},
        {"first two swapped", swapFirstTwo, true, false, "image 1 of @ is not the frame temp-101.gif"},
        {"first frame twice", repeatFirst, true, false, "image 3 of @ is not the frame temp-103.gif"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExportRig rig(movingRun(6));
        rig.desktop.writesAnimation = c.writes;
        rig.desktop.arrange = c.arrange;
        std::filesystem::create_directory(rig.exportFolder());
        if (c.oldAnimation) testing::writeTextFile(rig.animationPath(), "an animation of an earlier export");
        std::string reason = c.reason;
        reason.replace(reason.find('@'), 1, rig.animationPath());
        EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::AssemblerStopped);
        EXPECT_EQ(rig.log.messages.back(), export_messages::kAnimationNotMade + reason + export_messages::kFramesAreIn +
                                               rig.exportFolder().string());
        for (const std::string& line : rig.log.messages) EXPECT_FALSE(startsWith(line, "Animation GIF is made"));
    }
}

TEST(AnimationExport, AFrameThatCannotBeWrittenStopsTheExportAndLeavesNoNewFrame) {
    const struct {
        const char* name;
        const char* failing;  // the frame file named in the message
        int error;
    } cases[] = {
        {"disk full", "temp-101.gif", EFBIG},
        {"read-only frame of an earlier export", "temp-103.gif", EACCES},
        {"folder in the way", "temp-102.gif", EISDIR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExportRig rig(movingRun(7));  // four frames
        std::filesystem::create_directory(rig.exportFolder());
        testing::writeTextFile(rig.exportFile("temp-101.gif"), "frame 101 of an earlier export");
        if (c.error == EACCES) {
            testing::writeTextFile(rig.exportFile(c.failing), "frame 103 of an earlier export");
            std::filesystem::permissions(rig.exportFile(c.failing), std::filesystem::perms::owner_read);
        }
        if (c.error == EISDIR) std::filesystem::create_directory(rig.exportFile(c.failing));
        // What cannot be removed stops the export before anything is; the earlier frames
        // are removed before a frame is written.
        std::map<std::string, std::string> before = rig.exportFolderContents();
        if (c.error == EFBIG) before.erase("temp-101.gif");
        ExportOutcome outcome;
        {
            std::optional<toolkit::testing::FileSizeLimit> full;
            if (c.error == EFBIG) full.emplace(64);
            outcome = rig.exportAnswering(true);
        }
        EXPECT_EQ(outcome, ExportOutcome::NotWritable);
        EXPECT_EQ(rig.log.messages.back(),
                  export_messages::kFrameNotWritten + rig.exportFile(c.failing) + ": " + std::strerror(c.error));
        EXPECT_EQ(rig.exportFolderContents(), before);
        EXPECT_TRUE(rig.desktop.requests.empty());
        EXPECT_EQ(count(rig.log.messages, export_messages::kComplete), 0);
    }
}

TEST(AnimationExport, TheFixedSettleIsOptionalAndComesAfterEveryString) {
    ExportRig paced(movingRun(4));
    paced.settings.keySettleMs = 40;
    EXPECT_EQ(paced.exportAnswering(true), ExportOutcome::AnimationMade);
    const auto settles = std::count(paced.pauseTimes.begin(), paced.pauseTimes.end(), std::chrono::milliseconds(40));
    EXPECT_EQ(static_cast<size_t>(settles), paced.desktop.received.size());

    ExportRig unpaced(movingRun(4));
    EXPECT_EQ(unpaced.exportAnswering(true), ExportOutcome::AnimationMade);
    for (std::chrono::milliseconds time : unpaced.pauseTimes) EXPECT_LT(time, std::chrono::milliseconds(40));
}

TEST(AnimationExport, AFailedRestartEndsTheCommandBeforeTheQuestion) {
    ExportRig rig(movingRun(5));
    std::filesystem::remove(rig.outputPath());
    const size_t questions = rig.prompter.questions.size();
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::RestartFailed);
    EXPECT_EQ(rig.prompter.questions.size(), questions);
    EXPECT_EQ(rig.log.messages.back(), export_messages::kRestartFailed);
    EXPECT_FALSE(std::filesystem::exists(rig.exportFolder()));
    EXPECT_TRUE(rig.desktop.requests.empty());
}

TEST(AnimationExport, TheAnimationsPathIsTypedAsItStandsOrFlikkorIsNotStarted) {
    const struct {
        const char* folder;
        const char* problem;  // nullptr: typed as it stands
    } cases[] = {
        {"a+b%c^(d){e}~", nullptr},
        {"it's \xE3\x82\xA2\xE3\x83\x8B\xE3\x83\xA1 1", nullptr},
        {"say \"d\"", "it holds a '\"', which the dialog reads as quotes around a list of file names"},
        {"tab\there", "it holds a control character"},
        {"latin1 \xE9t\xE9", "it is not UTF-8 text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        ExportRig rig(movingRun(4), false, ContactDisplay::No, c.folder);
        const std::filesystem::path odd = rig.exportFolder();
        const std::string animation = (odd / "tempanim.gif").string();
        if (c.problem == nullptr) {
            EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::AnimationMade);
            EXPECT_EQ(rig.desktop.typedPath, animation);
            EXPECT_TRUE(std::filesystem::exists(animation));
            continue;
        }
        EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::FramesOnly);
        EXPECT_EQ(rig.log.messages.back(), export_messages::kPathNotTypeable + std::string(c.problem) + ": " +
                                               animation + export_messages::kFramesAreIn + odd.string());
        EXPECT_TRUE(rig.desktop.requests.empty());
        EXPECT_TRUE(rig.desktop.received.empty());
        EXPECT_TRUE(std::filesystem::exists(odd / "temp-101.gif"));
    }
}

TEST(AnimationExport, FramesCarryNoContactMarksAndTheContactChoiceIsKept) {
    testing::ResultRun run = movingRun(5);
    for (testing::Step& step : run.steps) step.contacts = {{1, 2, 4.0, 5.0, 0.5, -3.0, 0.0}};
    ExportRig rig(run, false, ContactDisplay::DrawLines);
    rig.options.relativeRotation = true;
    EXPECT_EQ(rig.exportAnswering(true), ExportOutcome::AnimationMade);
    EXPECT_EQ(rig.options.contactDisplay, ContactDisplay::DrawLines);
    EXPECT_TRUE(rig.options.relativeRotation);
    EXPECT_EQ(decodeGif(rig.exportFile("temp-101.gif")), pictureOfBlock(movingRun(5), 3));
    EXPECT_EQ(decodeGif(rig.exportFile("temp-102.gif")), pictureOfBlock(movingRun(5), 4));
}

TEST(AnimationExport, FrameSwitchesDropContactLinesAndRotationMarksAndKeepTheRest) {
    struct Case {
        ContactDisplay chosen;
        ContactDisplay drawn;
    };
    for (const Case& c :
         {Case{ContactDisplay::No, ContactDisplay::No}, Case{ContactDisplay::DrawLines, ContactDisplay::No},
          Case{ContactDisplay::GrainSelect, ContactDisplay::GrainSelect}}) {
        ViewOptions chosen;
        chosen.colour = true;
        chosen.periodic = true;
        chosen.relativeRotation = true;
        chosen.ratio = 2.5f;
        chosen.contactDisplay = c.chosen;
        const ViewOptions frame = exportFrameOptions(chosen);
        EXPECT_EQ(frame.contactDisplay, c.drawn);
        EXPECT_FALSE(frame.relativeRotation);
        EXPECT_TRUE(frame.colour);
        EXPECT_TRUE(frame.periodic);
        EXPECT_EQ(frame.ratio, 2.5f);
    }
}

}  // namespace
}  // namespace sorvath

namespace sorvath {
namespace {

// The command line's route: flikkor run to its end on the frames, no key sent. A
// stand-in runner records the request and answers as told.
// Plain fields only: GCC 12 at -O3 takes the strings of a nested aggregate in the
// parameter list for uninitialised (-Wmaybe-uninitialized).
struct RunnerCase {
    const char* name;
    bool started;
    int status;
    const char* errorOutput;
    bool writesAnimation;
    ExportOutcome outcome;
    const char* lastMessage;  // "FOLDER" and "PROGRAM" stand for the export folder and flikkor's path
};

class CommandRoute : public ::testing::TestWithParam<RunnerCase> {};

class StandInRunner : public ProgramRunner {
public:
    ProgramRun run(const LaunchRequest& request) override {
        requests.push_back(request);
        if (writesAnimation) {
            std::vector<std::string> frames;
            for (size_t k = 2; k < request.arguments.size(); ++k)
                frames.push_back(request.workingDirectory + "/" + request.arguments[k]);
            testing::writeAnimationOf(request.arguments[1], frames);
        }
        return answer;
    }
    ProgramRun answer;
    bool writesAnimation = false;
    std::vector<LaunchRequest> requests;
};

TEST_P(CommandRoute, RunsFlikkorsMakeOnTheFramesAndChecksWhatItMade) {
    const RunnerCase& c = GetParam();
    ExportRig rig(movingRun(5));
    StandInRunner runner;
    runner.answer = ProgramRun{c.started, c.status, c.errorOutput};
    runner.writesAnimation = c.writesAnimation;
    rig.prompter.answers = {true};
    ExportPlatform platform{rig.converter, rig.desktop};
    platform.runner = &runner;
    AnimationExport exporter(rig.session, rig.display, platform, rig.settings);
    EXPECT_EQ(exporter.run(0), c.outcome);

    ASSERT_EQ(runner.requests.size(), 1u);
    const LaunchRequest& request = runner.requests[0];
    const std::string program = rig.programFolder.path().string() + "/flikkor";
    EXPECT_EQ(request.program, program);
    EXPECT_EQ(request.workingDirectory, rig.exportFolder().string());
    EXPECT_EQ(request.arguments,
              (std::vector<std::string>{"--make", rig.animationPath(), "temp-101.gif", "temp-102.gif"}));
    EXPECT_TRUE(rig.desktop.received.empty());
    std::string expected = c.lastMessage;
    for (const auto& [word, value] :
         {std::pair<std::string, std::string>{"FOLDER", rig.exportFolder().string()}, {"PROGRAM", program}})
        for (size_t at; (at = expected.find(word)) != std::string::npos;) expected.replace(at, word.size(), value);
    EXPECT_EQ(rig.log.messages.back(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    AnimationExport, CommandRoute,
    ::testing::Values(
        RunnerCase{"Made", true, 0, "", true, ExportOutcome::AnimationMade,
                   "Animation GIF is made: FOLDER/tempanim.gif (2 frames)"},
        RunnerCase{"NotStarted", false, -1, "No such file or directory", false, ExportOutcome::FramesOnly,
                   "flikkor could not be started: PROGRAM (No such file or directory). The temp- GIF files are in "
                   "FOLDER"},
        RunnerCase{"Refused", true, 1, "flikkor: temp-102.gif が読めません\n", false, ExportOutcome::AssemblerStopped,
                   "The animation GIF was not made: PROGRAM --make ended with status 1: flikkor: "
                   "temp-102.gif が読めません. The temp- GIF files are in FOLDER"},
        RunnerCase{"SaidDoneButMadeNothing", true, 0, "", false, ExportOutcome::AssemblerStopped,
                   "The animation GIF was not made: flikkor did not write FOLDER/tempanim.gif. The temp- GIF files "
                   "are in FOLDER"}),
    [](const ::testing::TestParamInfo<RunnerCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvath
