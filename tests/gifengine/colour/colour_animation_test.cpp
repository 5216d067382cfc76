#include <gtest/gtest.h>

#include <functional>

#include "colour_test_frames.h"
#include "gifengine/colour/colour_animation.h"
#include "gifengine/messages.h"

using namespace gifengine::colour;
using namespace gifengine::colour::testing;
using gifengine::FrameList;
using gifengine::Rgb;

namespace {

class ScriptedDialog final : public ColourAnimationDialog {
public:
    bool Run(ColourAnimationWork& work, ColourAnimationSettings& settings, int) override {
        ++opened;
        if (edit) edit(work, settings);
        return make;
    }
    std::function<void(ColourAnimationWork&, ColourAnimationSettings&)> edit;
    bool make = true;
    int opened = 0;
};

// Four frames from distinct files; frame 3 (index 2) has a 4-entry table
// whose entry 1 fades from 255 to 0 in red and entry 2 stays.
FrameList FourFrames() {
    FrameList frames;
    Append(frames, MakeFrame(1, 0, {}, "/p/one.gif"));
    Append(frames, MakeFrame(1, 0, {}, "/p/two.gif"));
    auto source = MakeFrame(1, 3, {{1, 0xFF0000}, {2, 0x336699}}, "/p/three.gif");
    source->imageNumber = 4;
    source->descriptor.left = 7;
    source->setDelay(33);
    source->setTransparencyOn(true);
    source->usesGlobalTable = true;
    Append(frames, std::move(source));
    Append(frames, MakeFrame(1, 0, {}, "/p/four.gif"));
    return frames;
}

ColourAnimationWork FadeRedToBlack(const FrameList& frames) {
    ColourAnimationWork work(frames[2], 2);
    work.lastColours[1] = Rgb{0, 0, 0};
    return work;
}

}  // namespace

TEST(ColourAnimation, InterpolationTruncatesTowardZero) {
    const int falling[] = {255, 171, 86, 0};
    const int rising[] = {0, 85, 170, 255};
    for (int q = 0; q < 3; ++q) {
        EXPECT_EQ(InterpolateChannel(255, 0, 4, q), falling[q]) << q;
        EXPECT_EQ(InterpolateChannel(0, 255, 4, q), rising[q]) << q;
    }
    // The last phase takes the last colours themselves, where the formula
    // would land one step short of a falling channel's end.
    gifengine::GifFrameRecord source;
    source.descriptor.packed = 0x80;
    source.colourTable[0] = Rgb{255, 0, 9};
    ColourAnimationWork work(source, 0);
    work.lastColours[0] = Rgb{0, 255, 9};
    for (int q = 0; q < 4; ++q) {
        EXPECT_EQ(work.PhaseColours(4, q)[0], (Rgb{uint8_t(falling[q]), uint8_t(rising[q]), 9})) << q;
    }
    EXPECT_EQ(InterpolateChannel(40, 40, 7, 3), 40);
    EXPECT_EQ(InterpolateChannel(10, 20, 3, 1), 15);
}

TEST(ColourAnimation, PatternTextAndTotalImages) {
    EXPECT_EQ(PatternCountFromText("7"), 7);
    EXPECT_EQ(PatternCountFromText("x"), 2);
    EXPECT_EQ(PatternCountFromText(""), 2);
    EXPECT_EQ(TotalImages({PatternCountFromText("x"), false, false}), 2);
    EXPECT_EQ(TotalImages({PatternCountFromText("x"), true, false}), 2);
    EXPECT_EQ(TotalImages({4, true, false}), 6);
    EXPECT_EQ(TotalImages({5, false, false}), 5);
}

TEST(ColourAnimation, CountsThatMakeNoImageOrOverfillTheListAreRefused) {
    EXPECT_EQ(GenerationRefusal({0, false, false}, 1), "画像パターン数が正しくありません");
    EXPECT_EQ(GenerationRefusal({-3, false, false}, 1), "画像パターン数が正しくありません");
    EXPECT_EQ(GenerationRefusal({1, true, true}, 1), "画像パターン数が正しくありません");
    EXPECT_FALSE(GenerationRefusal({1, false, true}, 1));
    EXPECT_FALSE(GenerationRefusal({5, false, false}, 995));
    EXPECT_EQ(GenerationRefusal({5, false, false}, 996), gifengine::text::kListFull);

    FrameList frames = FourFrames();
    const auto work = FadeRedToBlack(frames);
    EXPECT_FALSE(GenerateColourTableAnimation(frames, work, {1, true, true}));
    EXPECT_EQ(frames.count(), 4);
    EXPECT_EQ(frames[2].name(), "three.gif");
}

TEST(ColourAnimation, FivePatternsOnFrameThreeOfFour) {
    for (bool deleteSource : {false, true}) {
        SCOPED_TRACE(deleteSource);
        FrameList frames = FourFrames();
        const auto work = FadeRedToBlack(frames);
        ASSERT_TRUE(GenerateColourTableAnimation(frames, work, {5, false, deleteSource}));
        ASSERT_EQ(frames.count(), deleteSource ? 8 : 9);
        EXPECT_EQ(frames[0].name(), "one.gif");
        EXPECT_EQ(frames[1].name(), "two.gif");
        for (int j = 0; j < 5; ++j) {
            const auto& frame = frames[2 + j];
            EXPECT_EQ(frame.name(), "Generate");
            EXPECT_EQ(frame.pathText(), "Color Table Animation Generate");
            EXPECT_EQ(frame.imageNumber, j + 1);
            EXPECT_FALSE(frame.usesGlobalTable);
            EXPECT_EQ(frame.raster, frames[deleteSource ? 2 : 7].raster);
            EXPECT_EQ(frame.descriptor.left, 7);
            EXPECT_EQ(frame.delay(), 33);
            EXPECT_TRUE(frame.transparencyOn());
            EXPECT_EQ(frame.transparentIndex(), 3);
        }
        if (deleteSource) {
            EXPECT_EQ(frames[7].name(), "four.gif");
        } else {
            EXPECT_EQ(frames[7].name(), "three.gif");
            EXPECT_EQ(frames[7].imageNumber, 4);
            EXPECT_TRUE(frames[7].usesGlobalTable);
            EXPECT_EQ(ColourValue(frames[7].colourTable[1]), 0xFF0000);
            EXPECT_EQ(frames[8].name(), "four.gif");
        }
    }
}

TEST(ColourAnimation, TurningBackRunsThePhasesForthAndBack) {
    FrameList frames = FourFrames();
    const auto work = FadeRedToBlack(frames);
    ASSERT_TRUE(GenerateColourTableAnimation(frames, work, {4, true, false}));
    ASSERT_EQ(frames.count(), 4 + 6 + 0);
    const int reds[] = {255, 171, 86, 0, 86, 171};
    for (int j = 0; j < 6; ++j) {
        EXPECT_EQ(frames[2 + j].colourTable[1].r, reds[j]) << j;
        // The entry equal in both rows keeps its colour in every image.
        EXPECT_EQ(ColourValue(frames[2 + j].colourTable[2]), 0x336699) << j;
        EXPECT_EQ(frames[2 + j].imageNumber, j + 1);
    }
    EXPECT_EQ(frames[8].name(), "three.gif");
}

TEST(ColourAnimation, TwoPatternsTurningBackAndOnePattern) {
    FrameList frames = FourFrames();
    auto work = FadeRedToBlack(frames);
    ASSERT_TRUE(GenerateColourTableAnimation(frames, work, {2, true, false}));
    ASSERT_EQ(frames.count(), 6);
    EXPECT_EQ(ColourValue(frames[2].colourTable[1]), 0xFF0000);
    EXPECT_EQ(ColourValue(frames[3].colourTable[1]), 0x000000);
    EXPECT_EQ(frames[4].name(), "three.gif");

    FrameList single = FourFrames();
    work = FadeRedToBlack(single);
    ASSERT_TRUE(GenerateColourTableAnimation(single, work, {1, false, true}));
    ASSERT_EQ(single.count(), 4);
    EXPECT_EQ(single[2].name(), "Generate");
    EXPECT_EQ(ColourValue(single[2].colourTable[1]), 0xFF0000);
    EXPECT_EQ(single[3].name(), "four.gif");
}

TEST(ColourAnimation, WindowOfSixteenEntries) {
    FrameList frames = FourFrames();
    ColourAnimationWork small(frames[2], 2);
    EXPECT_EQ(small.entryCount(), 4);
    EXPECT_EQ(small.WindowEntry(3), 3);
    EXPECT_EQ(small.WindowEntry(4), -1);
    small.BtnDown();
    EXPECT_EQ(small.windowStart(), 0);
    small.BtnUp();
    EXPECT_EQ(small.windowStart(), 0);

    auto big = MakeFrame(7);
    ColourAnimationWork work(*big, 0);
    for (int k = 0; k < 20; ++k) work.BtnDown();
    EXPECT_EQ(work.windowStart(), 240);
    EXPECT_EQ(work.WindowEntry(15), 255);
    work.BtnUp();
    EXPECT_EQ(work.windowStart(), 224);

    ScriptedChooser chooser;
    chooser.answers = {Rgb{1, 2, 3}, std::nullopt};
    EXPECT_TRUE(work.ChooseLast(2, chooser));
    EXPECT_FALSE(work.ChooseFirst(2, chooser));
    EXPECT_EQ(chooser.presets[0], (Rgb{226, 226, 226}));
    EXPECT_EQ(work.lastColours[226], (Rgb{1, 2, 3}));
    EXPECT_EQ(work.firstColours[226], (Rgb{226, 226, 226}));
    EXPECT_FALSE(small.ChooseFirst(4, chooser));  // hidden swatch
    EXPECT_EQ(chooser.presets.size(), 2u);
}

TEST(ColourAnimation, CommandChecksTheSelectionAndRestoresSettingsOnCancel) {
    FrameList frames = FourFrames();
    RecordingReporter reporter;
    RecordingHost host;
    ScriptedDialog dialog;
    ColourAnimationSettings settings;

    SelectRows(frames, 5, 5);
    EXPECT_FALSE(MakeColorTableAnimation(frames, reporter, dialog, settings, host));
    SelectRows(frames, 2, 3);
    EXPECT_FALSE(MakeColorTableAnimation(frames, reporter, dialog, settings, host));
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0].text, "元になる画像を１つ選択してください");
    EXPECT_EQ(reporter.messages[1].text, "元になる画像を１つだけ選択してください");
    EXPECT_EQ(reporter.messages[1].caption, "Reelwright:エラー");
    EXPECT_EQ(dialog.opened, 0);

    SelectRows(frames, 3, 3);
    dialog.make = false;
    dialog.edit = [](ColourAnimationWork&, ColourAnimationSettings& s) { s = {9, true, true}; };
    EXPECT_FALSE(MakeColorTableAnimation(frames, reporter, dialog, settings, host));
    EXPECT_EQ(settings, (ColourAnimationSettings{5, false, false}));
    EXPECT_EQ(frames.count(), 4);

    dialog.make = true;
    dialog.edit = [](ColourAnimationWork& work, ColourAnimationSettings& s) {
        EXPECT_EQ(work.source(), 2);
        s = {3, false, true};
    };
    EXPECT_TRUE(MakeColorTableAnimation(frames, reporter, dialog, settings, host));
    EXPECT_EQ(settings, (ColourAnimationSettings{3, false, true}));  // kept for the next use
    EXPECT_EQ(frames.count(), 6);
    EXPECT_EQ(host.changes, 1);
    EXPECT_EQ(reporter.messages.back().caption, "Reelwright:注意");
    EXPECT_EQ(reporter.messages.back().text,
              "カラーテーブルが変更されたためグローバルカラーテーブルの指定を行ってください");
}

TEST(ColourAnimation, LastFrameWithTheEmptyRowCountsAsSeveralRows) {
    FrameList frames = FourFrames();
    RecordingReporter reporter;
    RecordingHost host;
    ScriptedDialog dialog;
    ColourAnimationSettings settings;
    SelectRows(frames, 4, 5);
    EXPECT_FALSE(MakeColorTableAnimation(frames, reporter, dialog, settings, host));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "元になる画像を１つだけ選択してください");
    EXPECT_EQ(dialog.opened, 0);
    EXPECT_EQ(frames.count(), 4);
}
