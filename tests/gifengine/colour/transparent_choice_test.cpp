#include <gtest/gtest.h>

#include "colour_test_frames.h"
#include "gifengine/colour/transparent_choice.h"

using namespace gifengine::colour;
using gifengine::FrameList;
using gifengine::colour::testing::Append;
using gifengine::colour::testing::MakeFrame;

namespace {

constexpr int32_t kGreen = 0x00FF00;
constexpr int32_t kRed = 0xFF0000;

TransparentBlock BlockOf(int first, int last, int commonIndex = -1, int32_t commonColour = -1) {
    return TransparentBlock{first, last, commonIndex, commonColour};
}

}  // namespace

TEST(TransparentChoice, SixteenEntryTableShowsSixteenSwatchesAndStoredIndexBlue) {
    FrameList frames;
    Append(frames, MakeFrame(3, 3, {{3, 0x123456}}));
    PendingTransparency pending{3, 0x123456};
    TransparentColourChoice choice(frames, BlockOf(0, 0, 3, 0x123456), pending);
    choice.Shown();
    const auto& view = choice.view();
    EXPECT_EQ(view.visibleSwatches, 16);
    EXPECT_EQ(view.roles[3], SwatchRole::Current);  // pending 3 is the current choice too
    EXPECT_EQ(view.imageNumberText, "1");
    EXPECT_EQ(view.tableKindText, "ﾛｰｶﾙｶﾗｰﾃｰﾌﾞﾙ");
    EXPECT_EQ(view.storedIndexText, "3");
    EXPECT_EQ(view.storedColourText, "123456");
    EXPECT_FALSE(view.methodVisible);

    choice.ClickSwatch(5);
    EXPECT_EQ(choice.view().roles[3], SwatchRole::Stored);  // back to blue
    EXPECT_EQ(choice.view().roles[5], SwatchRole::Current);
    EXPECT_EQ(choice.view().roles[4], SwatchRole::Plain);
    ChoiceMethod none = ChoiceMethod::None;
    EXPECT_EQ(choice.method(), none);
    // One frame: both pending values follow the click.
    EXPECT_EQ(pending.index, 5);
    EXPECT_EQ(pending.colour, 0x050505);
    choice.ClickSwatch(16);  // hidden swatch: ignored
    EXPECT_EQ(pending.index, 5);
}

TEST(TransparentChoice, OneFrameUpdateShowsBothLabelsRedWhereTheyDiffer) {
    FrameList frames;
    auto frame = MakeFrame(3, 2, {{2, kRed}, {6, kRed}});
    frame->usesGlobalTable = true;
    Append(frames, std::move(frame));
    PendingTransparency pending{2, kRed};
    TransparentColourChoice choice(frames, BlockOf(0, 0, 2, kRed), pending);
    choice.Shown();
    EXPECT_EQ(choice.view().tableKindText, "ｸﾞﾛｰﾊﾞﾙｶﾗｰﾃｰﾌﾞﾙ");
    choice.ClickSwatch(6);  // same colour, other index
    const auto labels = choice.BtnUpdate();
    EXPECT_EQ(labels.indexText, "6");
    EXPECT_TRUE(labels.indexDiffers);
    EXPECT_EQ(labels.colourText, "FF0000");
    EXPECT_FALSE(labels.colourDiffers);
    choice.Closed();
    EXPECT_TRUE(choice.confirmed());
    EXPECT_EQ(pending.index, 6);
}

TEST(TransparentChoice, CancelRestoresTheCommonValues) {
    FrameList frames;
    Append(frames, MakeFrame(3, 2));
    Append(frames, MakeFrame(3, 2));
    PendingTransparency pending{2, 0x020202};
    TransparentColourChoice choice(frames, BlockOf(0, 1, 2, 0x020202), pending);
    choice.Shown();
    choice.ClickSwatch(9);  // RBIndex is checked because a pending index is set
    EXPECT_EQ(pending.index, 9);
    EXPECT_EQ(pending.colour, -1);
    choice.Closed();
    EXPECT_FALSE(choice.confirmed());
    EXPECT_EQ(pending.index, 2);
    EXPECT_EQ(pending.colour, 0x020202);
}

TEST(TransparentChoice, ByColourAcrossThreeFramesSetsFirstMatchAndSkipsFramesWithoutIt) {
    FrameList frames;
    Append(frames, MakeFrame(3, 0, {{5, kGreen}}));
    Append(frames, MakeFrame(3, 1, {{2, kGreen}, {9, kGreen}}));
    Append(frames, MakeFrame(3, 4));
    PendingTransparency pending;  // frames differ: no common values
    TransparentColourChoice choice(frames, BlockOf(0, 2), pending);
    choice.Shown();
    EXPECT_TRUE(choice.view().methodVisible);
    EXPECT_FALSE(choice.view().indexChecked);
    EXPECT_FALSE(choice.view().colourChecked);
    EXPECT_FALSE(choice.view().methodEnabled);

    choice.ClickSwatch(5);
    // Neither radio checked yet: the pending values wait for one.
    EXPECT_EQ(pending.index, -1);
    EXPECT_EQ(pending.colour, -1);
    EXPECT_TRUE(choice.view().methodEnabled);
    choice.ClickRBColor();
    EXPECT_EQ(pending.index, -1);
    EXPECT_EQ(pending.colour, kGreen);
    EXPECT_TRUE(choice.view().colourChecked);

    // Stepping shows where the colour falls in each frame.
    choice.BtnNext();
    EXPECT_EQ(choice.currentIndex(), 2);
    choice.BtnNext();
    EXPECT_EQ(choice.currentIndex(), -1);
    EXPECT_EQ(choice.view().currentIndexText, "");
    EXPECT_EQ(choice.view().currentColourText, "");
    EXPECT_FALSE(choice.view().methodEnabled);

    choice.BtnPrev();
    choice.BtnPrev();
    const auto labels = choice.BtnUpdate();
    EXPECT_EQ(labels.indexText, "");
    EXPECT_EQ(labels.colourText, "00FF00");
    EXPECT_TRUE(labels.colourDiffers);

    ApplyPendingTransparency(frames, choice.block(), pending);
    EXPECT_EQ(frames[0].transparentIndex(), 5);
    EXPECT_EQ(frames[1].transparentIndex(), 2);
    EXPECT_EQ(frames[2].transparentIndex(), 4);
}

TEST(TransparentChoice, ByIndexTwoHundredSkipsA128EntryFrame) {
    FrameList frames;
    Append(frames, MakeFrame(7, 1));
    Append(frames, MakeFrame(6, 3));
    Append(frames, MakeFrame(7, 1));
    PendingTransparency pending;
    TransparentColourChoice choice(frames, BlockOf(0, 2), pending);
    choice.Shown();
    choice.ClickSwatch(200);
    choice.ClickRBIndex();
    EXPECT_EQ(pending.index, 200);
    EXPECT_EQ(pending.colour, -1);
    choice.BtnNext();  // the 128-entry frame has no entry 200
    EXPECT_EQ(choice.view().visibleSwatches, 128);
    EXPECT_EQ(choice.currentIndex(), -1);
    EXPECT_TRUE(choice.view().indexChecked);
    choice.BtnNext();
    EXPECT_EQ(choice.currentIndex(), 200);
    const auto labels = choice.BtnUpdate();
    EXPECT_EQ(labels.indexText, "200");
    EXPECT_EQ(labels.colourText, "");

    ApplyPendingTransparency(frames, choice.block(), pending);
    EXPECT_EQ(frames[0].transparentIndex(), 200);
    EXPECT_EQ(frames[1].transparentIndex(), 3);
    EXPECT_EQ(frames[2].transparentIndex(), 200);
}

TEST(TransparentChoice, NextShowsTheFirstOfTwoEqualEntriesAndStopsAtTheBlockEnds) {
    FrameList frames;
    Append(frames, MakeFrame(3, 0, {{1, kRed}}));
    Append(frames, MakeFrame(3, 0, {{7, kRed}, {9, kRed}}));
    PendingTransparency pending{-1, kRed};
    TransparentColourChoice choice(frames, BlockOf(0, 1, -1, -1), pending);
    choice.Shown();
    EXPECT_TRUE(choice.view().colourChecked);
    choice.BtnPrev();
    EXPECT_EQ(choice.view().frame, 0);
    choice.BtnNext();
    choice.BtnNext();
    EXPECT_EQ(choice.view().frame, 1);
    EXPECT_EQ(choice.view().imageNumberText, "2");
    EXPECT_EQ(choice.currentIndex(), 7);
    EXPECT_EQ(choice.view().roles[7], SwatchRole::Current);
    EXPECT_EQ(choice.view().roles[9], SwatchRole::Plain);
    EXPECT_EQ(choice.view().roles[0], SwatchRole::Stored);
    EXPECT_EQ(choice.view().currentColourText, "FF0000");
}

TEST(TransparentChoice, PanelApplyChangesOnlyWhatDiffersFromTheShownValues) {
    FrameList frames;
    Append(frames, MakeFrame(3, 4));
    Append(frames, MakeFrame(3, 4, {{1, 0x040404}}));
    const TransparentBlock shown = BlockOf(0, 1, 4, 0x040404);
    // Pending equal to the shown values: no frame changes even though frame 1
    // holds the colour at an earlier entry.
    ApplyPendingTransparency(frames, shown, PendingTransparency{-1, 0x040404});
    ApplyPendingTransparency(frames, shown, PendingTransparency{4, -1});
    EXPECT_EQ(frames[1].transparentIndex(), 4);
    frames[1].setTransparencyOn(true);
    ApplyPendingTransparency(frames, shown, PendingTransparency{15, -1});
    EXPECT_EQ(frames[0].transparentIndex(), 15);
    EXPECT_EQ(frames[1].transparentIndex(), 15);
    EXPECT_FALSE(frames[0].transparencyOn());
    EXPECT_TRUE(frames[1].transparencyOn());
    EXPECT_EQ(FirstEntryOfColour(frames[1], 0x040404), 1);
    EXPECT_EQ(FirstEntryOfColour(frames[1], -1), -1);
}
