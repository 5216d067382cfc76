// Form1's commands: the message log, speed bar, nskip, zoom and pan, the animation
// timer, the toggles and their restarts, the ratio box and the contact options.
#include "tests/viewer/window/window_bench.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace sorvath {
namespace {

using testing::WindowBench;

TEST(SorvathWindowCommands, MessageLogShowsNewestFirstWithRunningNumbers) {
    WindowBench b;
    b.form->showmsg("first");
    b.form->showmsg("second");
    const QStringList lines = b.logLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "[3]second");
    EXPECT_EQ(lines[1], "[2]first");
    EXPECT_EQ(lines[2], "[1]Select any Input.dat or Output.dat from File tub -> Open. ");
    EXPECT_EQ(lines[3], "---Mssages---");
    EXPECT_TRUE(b.control<QPlainTextEdit>("Text1")->isReadOnly());
    EXPECT_EQ(b.control<QPlainTextEdit>("Text1")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST(SorvathWindowCommands, SpeedBarLeftEndIsOneSecondRightEndOneMillisecond) {
    WindowBench b;
    b.openOutput(testing::latticeRun(4, 4));
    QScrollBar* bar = b.control<QScrollBar>("HScroll1");
    bar->resize(200, 17);
    EXPECT_EQ(b.form->timerInterval(), 1);  // starts at the fast end
    // A click on the left arrow slows the animation, as the handle moves left.
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(3, 8));
    EXPECT_EQ(b.form->timerInterval(), 11);
    // Holding the trough's left part runs the handle to the left end.
    for (int k = 0; k < 20; ++k) QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(25, 8));
    EXPECT_EQ(b.form->timerInterval(), 1000);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(196, 8));
    EXPECT_EQ(b.form->timerInterval(), 990);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(b.form->timerInterval(), 1);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(b.form->timerInterval(), 1000);
}

// The stepping itself is the session's (tests/viewer/core/viewer_session_test.cpp);
// here the timer, the nskip buttons and the labels that show it.
TEST(SorvathWindowCommands, TimerAndNskipButtonsShowTheSessionsStepsAndStopAtTheEnd) {
    WindowBench b;
    b.openOutput(testing::latticeRun(4, 6));
    EXPECT_EQ(b.label("Label3"), "300");  // the third block is the first picture
    b.click("Command18");
    EXPECT_EQ(b.label("Label4"), "0");
    b.click("Command12");
    EXPECT_EQ(b.newestMessage().mid(3), "Doing animation...");
    EXPECT_TRUE(b.form->running());
    EXPECT_TRUE(b.control<QTimer>("Timer1")->isActive());
    b.form->Timer1_Timer();
    EXPECT_EQ(b.label("Label3"), "400");
    b.click("Command17");
    EXPECT_EQ(b.form->nskip(), 1);
    EXPECT_EQ(b.label("Label4"), "1");
    b.form->Timer1_Timer();
    EXPECT_EQ(b.label("Label3"), "600");
    b.form->Timer1_Timer();
    EXPECT_FALSE(b.form->running());
    // The timer fires only while the animation runs.
    EXPECT_FALSE(b.control<QTimer>("Timer1")->isActive());
    EXPECT_EQ(b.newestMessage().mid(b.newestMessage().indexOf(']') + 1),
              "Animation is finished. Press 'Return' button.");
}

TEST(SorvathWindowCommands, StepAndStopAndResetFollowTheRun) {
    WindowBench b;
    b.openOutput(testing::latticeRun(4, 5));
    b.click("Command11");
    b.click("Command11");
    EXPECT_EQ(b.label("Label3"), "500");
    b.click("Command11");  // at the end of the stream nothing happens
    EXPECT_EQ(b.label("Label3"), "500");
    b.click("Command12");
    b.click("Command14");
    EXPECT_FALSE(b.form->running());
    EXPECT_TRUE(b.newestMessage().endsWith("]Animation is stoped"));
    b.click("Command13");
    EXPECT_EQ(b.label("Label3"), "300");
}

TEST(SorvathWindowCommands, OpeningAFileStopsARunningAnimation) {
    WindowBench b;
    b.openOutput(testing::latticeRun(4, 6));
    b.click("Command12");
    ASSERT_TRUE(b.form->running());
    b.openOutput(testing::latticeRun(9, 6), false, "out-0002.dat");
    EXPECT_FALSE(b.form->running());
    b.click("Command12");
    b.openInput(testing::latticeRun(4, 2));
    EXPECT_FALSE(b.form->running());
}

// The zoom and pan arithmetic is the session's view transform
// (tests/viewer/core/view_transform_test.cpp, viewer_session_test.cpp); here the
// picture drawn with it.
TEST(SorvathWindowCommands, ZoomRedrawsWithTheSessionsViewAndOriginalSizeRestoresTheLoadPicture) {
    WindowBench b;
    b.openOutput(testing::latticeRun(9, 4));
    const QImage loadedImage = b.form->picture().image();
    b.click("Command3");
    EXPECT_TRUE(b.newestMessage().endsWith("]Zoom-in"));
    EXPECT_NE(b.form->picture().image(), loadedImage);
    EXPECT_EQ(b.form->picture().scale().ScaleWidth, b.form->session().transform().scale().ScaleWidth);
    b.click("Command6");
    EXPECT_EQ(b.form->picture().scale().ScaleTop, b.form->session().transform().scale().ScaleTop);
    b.click("Command5");
    EXPECT_TRUE(b.newestMessage().endsWith("]Now you have an original image size."));
    EXPECT_EQ(b.form->picture().image(), loadedImage);
}

TEST(SorvathWindowCommands, TogglesNameTheNextActionAndColourRestartsTheRun) {
    WindowBench b;
    b.openOutput(testing::latticeRun(4, 8));
    b.click("Command20");
    EXPECT_TRUE(b.form->options().periodic);
    EXPECT_EQ(b.button("Command20")->text(), "Periodic OFF");
    b.click("Command20");
    EXPECT_EQ(b.button("Command20")->text(), "Periodic ON");

    b.click("Command22");
    EXPECT_TRUE(b.form->options().colour);
    EXPECT_EQ(b.button("Command22")->text(), "Color OFF");
    b.click("Command11");
    b.click("Command11");
    EXPECT_EQ(b.label("Label3"), "500");
    const ScaleState before = b.form->picture().scale();
    b.click("Command3");
    b.click("Command22");
    EXPECT_FALSE(b.form->options().colour);
    EXPECT_EQ(b.button("Command22")->text(), "Color ON");
    // The run is read again from its start, keeping the zoom.
    EXPECT_EQ(b.label("Label3"), "300");
    EXPECT_FLOAT_EQ(b.form->picture().scale().ScaleWidth, before.ScaleWidth / 1.2f);
}

TEST(SorvathWindowCommands, ContactOptionsAndRelativeRotation) {
    WindowBench b;
    b.openOutput(testing::latticeRun(9, 6));
    b.control<QRadioButton>("Option2")->click();
    EXPECT_EQ(b.form->options().contactDisplay, ContactDisplay::DrawLines);
    EXPECT_TRUE(b.button("Command24")->isEnabled());
    EXPECT_EQ(b.label("Label3"), "300");
    EXPECT_GT(b.form->scene().nctot, 0);
    b.click("Command24");
    EXPECT_TRUE(b.form->options().relativeRotation);
    EXPECT_EQ(b.button("Command24")->text(), "Relative rotation OFF");
    b.click("Command24");
    EXPECT_EQ(b.button("Command24")->text(), "Relative rotation ON");
    b.click("Command24");
    b.control<QRadioButton>("Option1")->click();
    EXPECT_EQ(b.form->options().contactDisplay, ContactDisplay::No);
    EXPECT_FALSE(b.form->options().relativeRotation);
    EXPECT_FALSE(b.button("Command24")->isEnabled());
    EXPECT_EQ(b.button("Command24")->text(), "Relative rotation ON");
}

TEST(SorvathWindowCommands, ContactFilesOutOfStepShowTheDisplaySwitchedOff) {
    WindowBench b;
    testing::ResultRun run = testing::latticeRun(9, 6);
    b.openOutput(run);
    testing::ResultRun shifted = run;
    shifted.steps[3].iloop = 999;
    testing::writeTextFile(b.folder.path() / "cn2-0001.dat", testing::contactHeaderFileText(shifted));
    b.control<QRadioButton>("Option2")->click();
    b.click("Command24");
    ASSERT_TRUE(b.form->options().relativeRotation);
    b.click("Command11");  // the fourth block's header is out of step
    EXPECT_TRUE(b.newestMessage().endsWith("]error at reading cont2.dat"));
    EXPECT_EQ(b.form->options().contactDisplay, ContactDisplay::No);
    EXPECT_TRUE(b.control<QRadioButton>("Option1")->isChecked());
    EXPECT_FALSE(b.button("Command24")->isEnabled());
    EXPECT_EQ(b.button("Command24")->text(), "Relative rotation ON");
}

TEST(SorvathWindowCommands, RatioBoxKeepsTheOldValueOnBadOrCancelledEntries) {
    WindowBench b;
    b.openOutput(testing::latticeRun(9, 5));
    b.control<QRadioButton>("Option3")->click();
    b.dialogs->texts = {std::string("2.5"), std::string(""), std::string("abc"), std::nullopt, std::string(" 0.5 ")};
    b.click("Command23");
    EXPECT_EQ(b.dialogs->prompts.back(), "Input the threshold ratio for the average value. ex) 1.0, 2.0,...");
    EXPECT_EQ(b.form->options().ratio, 2.5f);
    EXPECT_EQ(b.label("Label7"), "2.5");
    int selected = 0;
    for (int i = 1; i <= b.form->scene().nop; ++i) selected += b.form->scene().particles[i].selected ? 1 : 0;
    for (int k = 0; k < 3; ++k) {
        b.click("Command23");
        EXPECT_EQ(b.form->options().ratio, 2.5f);
        EXPECT_EQ(b.label("Label7"), "2.5");
    }
    b.click("Command23");
    EXPECT_EQ(b.form->options().ratio, 0.5f);
    // A lower threshold selects at least as many grains, and some more here.
    int selectedLow = 0;
    for (int i = 1; i <= b.form->scene().nop; ++i) selectedLow += b.form->scene().particles[i].selected ? 1 : 0;
    EXPECT_GT(selectedLow, selected);
}

TEST(SorvathWindowCommands, ClipboardGetsThePicture) {
    WindowBench b;
    b.openOutput(testing::latticeRun(4, 4));
    b.action("m21")->trigger();
    EXPECT_TRUE(b.newestMessage().endsWith("]Image was copied into crip-board."));
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              b.form->picture().image().convertToFormat(QImage::Format_RGB32));
}

TEST(SorvathWindowCommands, OpenDialogsUseTheirFilterListsAndReadFailuresBeep) {
    WindowBench b;
    b.dialogs->paths = {""};
    b.action("m11")->trigger();
    ASSERT_EQ(b.dialogs->requests.size(), 1u);
    EXPECT_EQ(b.dialogs->requests[0].filterList(),
              "all files (*.*)|*.*|in? files (in*.dat)|in*.dat|dat files (*.dat)|*.dat");
    EXPECT_EQ(b.dialogs->requests[0].selectedFilter, 1);
    EXPECT_EQ(b.dialogs->beeps, 1);
    EXPECT_TRUE(b.newestMessage().endsWith("]Reading error. Check if you chose an appropriate file."));
    b.openOutput(testing::latticeRun(4, 4), true);
    EXPECT_EQ(b.dialogs->requests[1].filterList(),
              "all files (*.*)|*.*|out? files (out*.dat)|out*.dat|dat files (*.dat)|*.dat");
    EXPECT_EQ(b.dialogs->questions.back(), "An additional file 'wllout.dat' is also mounted OK?");
    EXPECT_TRUE(b.form->scene().movewall);
    EXPECT_EQ(b.label("Label2").toStdString(), b.folder.file("out-0001.dat"));
}

TEST(SorvathWindowCommands, GifMakingHookRunsOnlyWhenWired) {
    WindowBench b;
    b.openOutput(testing::latticeRun(4, 4));
    const QStringList before = b.logLines();
    b.action("m31")->trigger();  // not wired: nothing happens
    EXPECT_EQ(b.logLines(), before);
    int calls = 0;
    b.form->animationGifMaking = [&calls] { ++calls; };
    b.click("Command12");
    b.action("m31")->trigger();
    EXPECT_EQ(calls, 1);
    // The export replays the run itself: the timer must not read along.
    EXPECT_FALSE(b.form->running());
}

}  // namespace
}  // namespace sorvath
