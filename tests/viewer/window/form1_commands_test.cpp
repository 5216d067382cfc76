// Form1's commands: the message log, speed bar, nskip, zoom and pan, the animation
// timer, the toggles and their restarts, the ratio box and the contact options.
#include "tests/viewer/window/window_bench.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionSlider>

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

// Where the scroll bar's handle sits, as a fraction of the bar's width.
double handleCentre(QScrollBar* bar) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    const QRect handle = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
    return handle.center().x() / static_cast<double>(bar->width());
}

TEST(SorvathWindowCommands, SpeedBarLeftEndIsOneSecondRightEndOneMillisecond) {
    WindowBench b;
    QScrollBar* bar = b.control<QScrollBar>("HScroll1");
    bar->resize(200, 17);
    EXPECT_EQ(b.form->timerInterval(), 1);
    EXPECT_GT(handleCentre(bar), 0.5);  // starts at the fast, right end
    bar->setValue(kSlowestInterval);
    EXPECT_EQ(b.form->timerInterval(), 1000);
    EXPECT_LT(handleCentre(bar), 0.5);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_LT(b.form->timerInterval(), 1000);
    bar->setValue(bar->minimum());
    EXPECT_EQ(b.form->timerInterval(), 1);
}

TEST(SorvathWindowCommands, NskipCountsUpAndNeverBelowZero) {
    WindowBench b;
    b.openOutput(testdata::latticeRun(4, 4));
    b.click("Command18");
    EXPECT_EQ(b.form->nskip(), 0);
    EXPECT_EQ(b.label("Label4"), "0");
    for (int k = 0; k < 3; ++k) b.click("Command17");
    b.click("Command18");
    EXPECT_EQ(b.form->nskip(), 2);
    EXPECT_EQ(b.label("Label4"), "2");
}

TEST(SorvathWindowCommands, TimerShowsEveryBlockOrEveryFifthAndStopsAtTheEnd) {
    WindowBench b;
    b.openOutput(testdata::latticeRun(4, 14));
    EXPECT_EQ(b.label("Label3"), "300");  // the third block is the first picture
    b.click("Command12");
    EXPECT_EQ(b.newestMessage().mid(3), "Doing animation...");
    EXPECT_TRUE(b.form->running());
    b.form->Timer1_Timer();
    EXPECT_EQ(b.label("Label3"), "400");
    for (int k = 0; k < 4; ++k) b.click("Command17");
    b.form->Timer1_Timer();
    EXPECT_EQ(b.label("Label3"), "900");
    b.form->Timer1_Timer();
    EXPECT_EQ(b.label("Label3"), "1400");
    EXPECT_TRUE(b.form->running());
    b.form->Timer1_Timer();
    EXPECT_FALSE(b.form->running());
    EXPECT_EQ(b.newestMessage().mid(b.newestMessage().indexOf(']') + 1),
              "Animation is finished. Press 'Return' button.");
    // A tick while stopped changes nothing.
    const QStringList before = b.logLines();
    b.form->Timer1_Timer();
    EXPECT_EQ(b.logLines(), before);
}

TEST(SorvathWindowCommands, StepAndStopAndResetFollowTheRun) {
    WindowBench b;
    b.openOutput(testdata::latticeRun(4, 5));
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
    b.openOutput(testdata::latticeRun(4, 6));
    b.click("Command12");
    ASSERT_TRUE(b.form->running());
    b.openOutput(testdata::latticeRun(9, 6), false, "out-0002.dat");
    EXPECT_FALSE(b.form->running());
    b.click("Command12");
    b.openInput(testdata::latticeRun(4, 2));
    EXPECT_FALSE(b.form->running());
}

TEST(SorvathWindowCommands, ZoomOutUndoesZoomInAndOriginalSizeRestoresTheLoadView) {
    WindowBench b;
    b.openOutput(testdata::latticeRun(9, 4));
    const ScaleState loaded = b.form->picture().scale();
    const QImage loadedImage = b.form->picture().image();
    b.click("Command3");
    EXPECT_TRUE(b.newestMessage().endsWith("]Zoom-in"));
    const ScaleState zoomed = b.form->picture().scale();
    EXPECT_FLOAT_EQ(zoomed.ScaleWidth, loaded.ScaleWidth / 1.2f);
    // The centre stays where it was.
    EXPECT_FLOAT_EQ(zoomed.ScaleLeft + zoomed.ScaleWidth / 2, loaded.ScaleLeft + loaded.ScaleWidth / 2);
    EXPECT_FLOAT_EQ(zoomed.ScaleTop + zoomed.ScaleHeight / 2, loaded.ScaleTop + loaded.ScaleHeight / 2);
    b.click("Command4");
    EXPECT_TRUE(b.newestMessage().endsWith("]Zoom-out"));
    const ScaleState back = b.form->picture().scale();
    EXPECT_FLOAT_EQ(back.ScaleLeft, loaded.ScaleLeft);
    EXPECT_FLOAT_EQ(back.ScaleTop, loaded.ScaleTop);
    EXPECT_FLOAT_EQ(back.ScaleWidth, loaded.ScaleWidth);
    EXPECT_FLOAT_EQ(back.ScaleHeight, loaded.ScaleHeight);

    b.click("Command3");
    b.click("Command6");
    EXPECT_TRUE(b.newestMessage().endsWith("]Up"));
    // "up" shows more of the top: ScaleTop grows by 0.05 of the (negative) height.
    EXPECT_GT(b.form->picture().scale().ScaleTop, zoomed.ScaleTop);
    b.click("Command9");
    EXPECT_GT(b.form->picture().scale().ScaleLeft, zoomed.ScaleLeft);
    b.click("Command5");
    EXPECT_TRUE(b.newestMessage().endsWith("]Now you have an original image size."));
    EXPECT_EQ(b.form->picture().scale().ScaleLeft, loaded.ScaleLeft);
    EXPECT_EQ(b.form->picture().scale().ScaleTop, loaded.ScaleTop);
    EXPECT_EQ(b.form->picture().image(), loadedImage);
}

TEST(SorvathWindowCommands, TogglesNameTheNextActionAndColourRestartsTheRun) {
    WindowBench b;
    b.openOutput(testdata::latticeRun(4, 8));
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
    b.openOutput(testdata::latticeRun(9, 6));
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

TEST(SorvathWindowCommands, RatioBoxKeepsTheOldValueOnBadOrCancelledEntries) {
    WindowBench b;
    b.openOutput(testdata::latticeRun(9, 5));
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
    b.openOutput(testdata::latticeRun(4, 4));
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
    b.openOutput(testdata::latticeRun(4, 4), true);
    EXPECT_EQ(b.dialogs->requests[1].filterList(),
              "all files (*.*)|*.*|out? files (out*.dat)|out*.dat|dat files (*.dat)|*.dat");
    EXPECT_EQ(b.dialogs->questions.back(), "An additional file 'wllout.dat' is also mounted OK?");
    EXPECT_TRUE(b.form->scene().movewall);
    EXPECT_EQ(b.label("Label2").toStdString(), b.folder.file("out-0001.dat"));
}

TEST(SorvathWindowCommands, GifMakingHookRunsOnlyWhenWired) {
    WindowBench b;
    b.openOutput(testdata::latticeRun(4, 4));
    const QStringList before = b.logLines();
    b.action("m31")->trigger();  // not wired: nothing happens
    EXPECT_EQ(b.logLines(), before);
    int calls = 0;
    b.form->animationGifMaking = [&calls] { ++calls; };
    b.action("m31")->trigger();
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace sorvath
