// Form1's controls, captions, placement and the enabled states in each phase.
#include "tests/viewer/window/window_bench.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QMenuBar>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace sorvath {
namespace {

using testing::WindowBench;

TEST(SorvathWindowLayout, ControlsCarryTheirNamesAndCaptions) {
    WindowBench b;
    EXPECT_EQ(b.form->windowTitle(), "Sorvath");
    const std::vector<std::pair<const char*, const char*>> buttons = {
        {"Command3", "Zoom In"},   {"Command4", "Zoom Out"},      {"Command5", "Original size"},
        {"Command6", "up"},        {"Command7", "down"},          {"Command8", "left"},
        {"Command9", "right"},     {"Command11", "step by step"}, {"Command13", "Reset"},
        {"Command12", "start"},    {"Command14", "stop"},         {"Command17", "up"},
        {"Command18", "down"},     {"Command23", "ratio"},        {"Command24", "relative rotation ON"},
        {"Command20", "Periodic"}, {"Command22", "color ON"}};
    for (const auto& [name, caption] : buttons) {
        ASSERT_NE(b.button(name), nullptr) << name;
        EXPECT_EQ(b.button(name)->text(), caption) << name;
    }
    const std::vector<std::pair<const char*, const char*>> frames = {
        {"Frame1", "Image"},       {"Frame2", "Animation"}, {"Frame3", "Filename"},
        {"Frame4", "step number"}, {"Frame5", "nskip"},     {"Frame6", "Contact forces"}};
    for (const auto& [name, caption] : frames) {
        ASSERT_NE(b.control<QGroupBox>(name), nullptr) << name;
        EXPECT_EQ(b.control<QGroupBox>(name)->title(), caption) << name;
    }
    EXPECT_EQ(b.label("Label8"), "speed");
    EXPECT_EQ(b.label("Label1"), "low <--> high");
    EXPECT_EQ(b.label("Label4"), "0");
    EXPECT_EQ(b.label("Label7"), "1");
    EXPECT_FALSE(b.label("Label5").isEmpty());
    EXPECT_FALSE(b.label("Label6").isEmpty());
    EXPECT_EQ(b.control<QRadioButton>("Option1")->text(), "no");
    EXPECT_EQ(b.control<QRadioButton>("Option2")->text(), "draw lines");
    EXPECT_EQ(b.control<QRadioButton>("Option3")->text(), "grain select");
    EXPECT_TRUE(b.control<QRadioButton>("Option1")->isChecked());
    EXPECT_NE(b.control<QObject>("Timer1"), nullptr);
    EXPECT_NE(b.control<QWidget>("Picture1"), nullptr);

    const std::vector<std::pair<const char*, const char*>> menus = {{"m11", "Open Input.dat"},
                                                                    {"m12", "Open Output.dat"},
                                                                    {"m13", "Rough Print"},
                                                                    {"m14", "High quality Print"},
                                                                    {"m15", "Exit"},
                                                                    {"m21", "copy "},
                                                                    {"m31", "Animation GIF making"}};
    for (const auto& [name, caption] : menus) {
        ASSERT_NE(b.action(name), nullptr) << name;
        EXPECT_EQ(b.action(name)->text(), caption) << name;
    }
    QStringList titles;
    for (QAction* menu : b.form->menuBar()->actions()) titles << menu->text();
    EXPECT_EQ(titles, QStringList({"File", "Edit", "Animation"}));
}

TEST(SorvathWindowLayout, PositionsComeFromTwipsAtFifteenPerPixel) {
    WindowBench b;
    EXPECT_EQ(b.form->centralWidget()->size(), QSize(775, 591));
    EXPECT_EQ(b.control<QWidget>("Picture1")->geometry(), QRect(8, 0, 533, 533));
    EXPECT_EQ(b.control<QWidget>("Text1")->geometry(), QRect(552, 424, 217, 89));
    // Inside a frame, placed relative to it: Command9 at 960, 1800 in Frame1.
    EXPECT_EQ(b.button("Command9")->parentWidget()->objectName(), "Frame1");
    EXPECT_EQ(b.button("Command9")->geometry(), QRect(64, 120, 33, 17));
    // Command17 belongs to the nskip frame inside the animation frame.
    EXPECT_EQ(b.button("Command17")->parentWidget()->objectName(), "Frame5");
    EXPECT_EQ(b.button("Command17")->mapTo(b.form->centralWidget(), QPoint(0, 0)), QPoint(680, 200));
    EXPECT_EQ(b.button("Command22")->geometry(), QRect(672, 280, 81, 25));
}

// A larger window gives the picture the room, right of it and below it, and the fit
// uses it; back at the laid-out size everything is where it was.
TEST(SorvathWindowLayout, ALargerWindowGivesThePictureTheRoomAndTheFitUsesIt) {
    WindowBench b;
    b.openOutput(testing::latticeRun(4, 5));
    b.click("Command5");  // fitted
    b.form->show();
    const QSize laidOut = b.form->size();
    const struct {
        QSize grown;
        QPoint frame1;  // in the right column
        QPoint frame3;  // below the picture
    } cases[] = {{{300, 200}, {852, 0}, {8, 744}}, {{0, 0}, {552, 0}, {8, 544}}, {{-50, 120}, {552, 0}, {8, 664}}};
    for (const auto& c : cases) {
        b.form->resize(laidOut + c.grown);
        QApplication::processEvents();
        const QSize picture(533 + std::max(0, c.grown.width()), 533 + c.grown.height());
        SCOPED_TRACE(picture.width());
        EXPECT_EQ(b.control<QWidget>("Picture1")->geometry(), QRect(QPoint(8, 0), picture));
        EXPECT_EQ(b.form->picture().image().size(), picture);
        EXPECT_EQ(b.control<QWidget>("Frame1")->pos(), c.frame1);
        EXPECT_EQ(b.control<QWidget>("Frame3")->pos(), c.frame3);
        EXPECT_EQ(b.control<QWidget>("Frame4")->pos(), c.frame3 + QPoint(400, 0));
        const ScaleState fit = fittedScale(extentOf(b.form->scene()), picture.width(), picture.height());
        EXPECT_EQ(b.form->picture().scale().ScaleWidth, fit.ScaleWidth);
        EXPECT_EQ(b.form->picture().scale().ScaleLeft, fit.ScaleLeft);
    }
}

// The two groups' members, as the enabled-state checks name them.
const std::vector<const char*> kAnimationButtons = {"Command11", "Command12", "Command13", "Command14", "Command17",
                                                    "Command18", "Command20", "Command22", "Command23", "Command24"};
const std::vector<const char*> kViewButtons = {"Command3", "Command4", "Command5", "Command6",
                                               "Command7", "Command8", "Command9"};

void expectGroups(const WindowBench& b, bool animation, bool view) {
    for (const char* name : kAnimationButtons) EXPECT_EQ(b.button(name)->isEnabled(), animation) << name;
    EXPECT_EQ(b.control<QScrollBar>("HScroll1")->isEnabled(), animation);
    EXPECT_EQ(b.action("m31")->isEnabled(), animation);
    for (const char* name : kViewButtons) EXPECT_EQ(b.button(name)->isEnabled(), view) << name;
    for (const char* name : {"m13", "m14", "m21"}) EXPECT_EQ(b.action(name)->isEnabled(), view) << name;
    for (const char* name : {"m11", "m12", "m15"}) EXPECT_TRUE(b.action(name)->isEnabled()) << name;
    for (const char* name : {"Option1", "Option2", "Option3"})
        EXPECT_TRUE(b.control<QRadioButton>(name)->isEnabled()) << name;
}

TEST(SorvathWindowLayout, EnabledStatesBeforeAnyFileAfterInputAndAfterOutput) {
    WindowBench b;
    expectGroups(b, false, false);
    b.openInput(testing::latticeRun(4, 2));
    EXPECT_EQ(b.newestMessage(), "[3]Drawing process is complete.");
    expectGroups(b, false, true);
    b.openOutput(testing::latticeRun(4, 5));
    EXPECT_EQ(b.newestMessage().toStdString().find("Initial draw process is complete."), 3u);
    expectGroups(b, true, true);
}

TEST(SorvathWindowLayout, OpenDialogsStartInTheLastRunsFolderElseWhereSorvathWasStarted) {
    const std::string startedIn = QDir::currentPath().toStdString();
    WindowBench first;
    EXPECT_EQ(first.dialogs->startFolder, startedIn);
    EXPECT_EQ(QDir::currentPath().toStdString(), startedIn);  // the program folder is not made current
    EXPECT_EQ(first.newestMessage(), "[1]Select any Input.dat or Output.dat from File tub -> Open. ");

    // Only a run that opened is remembered, from the menu or the command line alike.
    testing::TempFolder other;
    testing::writeTextFile(other.path() / "out-0001.dat", "not a run");
    first.dialogs->paths.push_back(other.file("out-0001.dat"));
    first.action("m12")->trigger();
    EXPECT_EQ(first.dialogs->runFolder, "");
    first.openInput(testing::latticeRun(4, 2));
    EXPECT_EQ(first.dialogs->runFolder, first.folder.path().string());
    testing::writeRun(other.path(), "output.dat", testing::latticeRun(4, 5), testing::RecordLayout::Long, false, false);
    first.form->openRun(other.file("output.dat"));
    EXPECT_EQ(first.label("Label3"), "300");
    EXPECT_EQ(first.dialogs->runFolder, other.path().string());

    WindowBench next(other.path().string());
    EXPECT_EQ(next.dialogs->startFolder, other.path().string());
    WindowBench afterRemoval(other.file("gone"));
    EXPECT_EQ(afterRemoval.dialogs->startFolder, startedIn);
}

}  // namespace
}  // namespace sorvath
