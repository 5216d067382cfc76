// The parameter panel's rules: common values of the selected frames, and
// edits written only where they differ from what was shown.
#include "engine_fixture.h"

using namespace gifengine::testing;
using gifengine::PanelBlock;

namespace {

// Three 4 x 4 frames with delays 10, 10, 20; table entry 3 of every frame is
// 00FF00, entry 5 of the second one too.
class PanelTest : public EngineTest {
protected:
    void SetUp() override {
        GifBuilder builder;
        builder.screen(8, 8);
        for (int i = 0; i < 3; ++i) {
            std::vector<Colour> table = MakePalette(3, i + 1);
            for (Colour& c : table)
                if (c.r == 0 && c.g == 0xFF && c.b == 0) c.b = 1;
            table[3] = {0, 0xFF, 0};
            if (i == 1) table[5] = {0, 0xFF, 0};
            Image image = PatternImage(4, 4, 8, i);
            image.localTable = table;
            image.control = Control{1, false, true, uint8_t(i == 1 ? 1 : 2), uint16_t(i == 2 ? 20 : 10)};
            builder.image(image);
        }
        ASSERT_EQ(load(builder.bytes()), 0);
    }
};

}  // namespace

TEST_F(PanelTest, CommonValuesOrMinusOneAndTheEmptyRowLeftOut) {
    select(1, 4);  // the three frames and the empty row
    const PanelBlock shown = engine.selectedFrameValues();
    EXPECT_EQ(shown.first, 0);
    EXPECT_EQ(shown.last, 2);
    EXPECT_EQ(shown.left, 0);
    EXPECT_EQ(shown.delay, -1);
    EXPECT_EQ(shown.disposal, 1);
    EXPECT_EQ(shown.transFlag, 1);
    EXPECT_EQ(shown.transIndex, -1);
    EXPECT_EQ(shown.transColour, -1);

    select(1, 2);
    EXPECT_EQ(engine.selectedFrameValues().delay, 10);
    select(4, 4);
    EXPECT_EQ(engine.selectedFrameValues(), PanelBlock{});
}

TEST_F(PanelTest, OnlyEditedFieldsAreWrittenAsTheirLowSixteenBits) {
    select(1, 3);
    const PanelBlock shown = engine.selectedFrameValues();
    PanelBlock pending = shown;
    pending.left = 70000;
    engine.applyFrameEdits(shown, pending);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(engine.frames[i].descriptor.left, 4464) << i;
    EXPECT_EQ(engine.frames[2].delay(), 20) << "the differing delays stay";
    pending = engine.selectedFrameValues();
    pending.disposal = 10;  // only the three low bits count
    pending.transFlag = 0;
    engine.applyFrameEdits(engine.selectedFrameValues(), pending);
    EXPECT_EQ(engine.frames[0].disposal(), 2);
    EXPECT_FALSE(engine.frames[1].transparencyOn());
    EXPECT_EQ(gifengine::PanelNumber("abc"), 0);
    EXPECT_EQ(gifengine::PanelNumber("15"), 15);
}

TEST_F(PanelTest, ChosenColourGivesEachFrameItsOwnFirstEntryAndIndexNeedsRoom) {
    select(1, 3);
    const PanelBlock shown = engine.selectedFrameValues();
    PanelBlock pending = shown;
    pending.transIndex = -1;
    pending.transColour = 0x00FF00;
    engine.applyFrameEdits(shown, pending);
    EXPECT_EQ(engine.frames[0].transparentIndex(), 3);
    EXPECT_EQ(engine.frames[1].transparentIndex(), 3);
    EXPECT_EQ(engine.frames[2].transparentIndex(), 3);

    pending = engine.selectedFrameValues();
    pending.transIndex = 8;  // the 8-entry tables have no entry 8
    engine.applyFrameEdits(engine.selectedFrameValues(), pending);
    EXPECT_EQ(engine.frames[0].transparentIndex(), 3);
    pending.transIndex = 6;
    engine.applyFrameEdits(engine.selectedFrameValues(), pending);
    EXPECT_EQ(engine.frames[2].transparentIndex(), 6);
}
