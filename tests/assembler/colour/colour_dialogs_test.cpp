// The colour-table dialogs driven offscreen through their widgets, with the
// colour chooser scripted and no modal loop entered.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "assembler/colour/color_anim_form.h"
#include "assembler/colour/color_edit_form.h"
#include "assembler/colour/trans_col_form.h"

using namespace flikkor;
using gifengine::Rgb;

namespace {

class Chooser final : public gifengine::colour::ColourChooser {
public:
    std::optional<Rgb> ChooseColour(const Rgb& initial) override {
        presets.push_back(initial);
        return answer;
    }
    std::optional<Rgb> answer;
    std::vector<Rgb> presets;
};

class Reporter final : public gifengine::Reporter {
public:
    gifengine::MessageAnswer ShowMessage(std::string_view, std::string_view text, gifengine::MessageButtons) override {
        texts.emplace_back(text);
        return gifengine::MessageAnswer::Ok;
    }
    std::vector<std::string> texts;
};

std::unique_ptr<gifengine::GifFrameRecord> Frame(int sizeBits, int transparent) {
    auto frame = std::make_unique<gifengine::GifFrameRecord>();
    frame->descriptor.packed = uint8_t(0x80 | sizeBits);
    frame->setTransparentIndex(transparent);
    for (int k = 0; k < 256; ++k) frame->colourTable[std::size_t(k)] = gifengine::RgbFromValue(k * 0x010101);
    return frame;
}

void ClickSwatch(SwatchGridWidget* grid, int k) { QTest::mouseClick(grid, Qt::LeftButton, {}, grid->swatchCentre(k)); }

}  // namespace

TEST(TransColFormDialog, SwatchClickAndUpdateGiveTheLabelsOneFrameHidesTheMethod) {
    gifengine::FrameList frames;
    frames.InsertFrame(Frame(3, 3));
    TTransColForm form;
    gifengine::colour::PendingTransparency pending{3, 0x030303};
    form.setModalRunner([&](QDialog&) {
        EXPECT_EQ(form.grid->visibleCount(), 16);
        EXPECT_EQ(form.grid->roleAt(3), gifengine::colour::SwatchRole::Current);
        EXPECT_TRUE(form.RBIndex->isHidden());
        EXPECT_TRUE(form.LMethod->isHidden());
        EXPECT_EQ(form.LOrgTransIndex->text(), "3");
        ClickSwatch(form.grid, 18);  // row 1, column 2: entry 18 is hidden
        EXPECT_EQ(form.LCurTransIndex->text(), "3");
        ClickSwatch(form.grid, 10);
        EXPECT_EQ(form.grid->roleAt(3), gifengine::colour::SwatchRole::Stored);
        EXPECT_EQ(form.LCurTransIndex->text(), "10");
        EXPECT_EQ(form.LCurTransColor->text(), "0A0A0A");
        form.BtnUpdate->click();
    });
    const auto labels = form.ChooseTransparency(frames, {0, 0, 3, 0x030303}, pending);
    ASSERT_TRUE(labels);
    QLabel index, colour;
    ShowTransparencyLabels(&index, &colour, *labels);
    EXPECT_EQ(index.text(), "10");
    EXPECT_TRUE(index.styleSheet().contains("red"));
    EXPECT_EQ(colour.text(), "0A0A0A");
    EXPECT_EQ(pending.index, 10);
}

TEST(TransColFormDialog, RadioClicksChooseTheMethodAndCancelRestores) {
    gifengine::FrameList frames;
    frames.InsertFrame(Frame(3, 1));
    frames.InsertFrame(Frame(3, 2));
    TTransColForm form;
    gifengine::colour::PendingTransparency pending;
    form.setModalRunner([&](QDialog&) {
        EXPECT_FALSE(form.RBIndex->isHidden());
        EXPECT_FALSE(form.RBIndex->isEnabled());
        ClickSwatch(form.grid, 5);
        EXPECT_TRUE(form.RBColor->isEnabled());
        QTest::mouseClick(form.RBColor, Qt::LeftButton);
        EXPECT_TRUE(form.RBColor->isChecked());
        EXPECT_FALSE(form.RBIndex->isChecked());
        EXPECT_EQ(pending.colour, 0x050505);
        QTest::mouseClick(form.RBIndex, Qt::LeftButton);
        EXPECT_TRUE(form.RBIndex->isChecked());
        EXPECT_FALSE(form.RBColor->isChecked());
        EXPECT_EQ(pending.index, 5);
        form.BtnNext->click();
        EXPECT_EQ(form.LImageNo->text(), "2");
        form.BtnCancel->click();
    });
    EXPECT_FALSE(form.ChooseTransparency(frames, {0, 1, -1, -1}, pending));
    EXPECT_EQ(pending.index, -1);
    EXPECT_EQ(pending.colour, -1);
}

TEST(ColorEditFormDialog, SwatchOpensTheChooserAndUpdateConfirms) {
    Chooser chooser;
    chooser.answer = Rgb{0x12, 0x34, 0x56};
    TColorEditForm form(chooser);
    gifengine::colour::ColourEditBuffer buffer;
    buffer.count = 4;
    buffer.entries[2] = Rgb{7, 8, 9};
    form.setModalRunner([&](QDialog&) {
        EXPECT_EQ(form.grid->visibleCount(), 4);
        ClickSwatch(form.grid, 2);
        EXPECT_EQ(form.grid->colourAt(2), QColor(0x12, 0x34, 0x56));
        form.BtnUpdate->click();
    });
    EXPECT_TRUE(form.EditTable(buffer));
    ASSERT_EQ(chooser.presets.size(), 1u);
    EXPECT_EQ(chooser.presets[0], (Rgb{7, 8, 9}));
    EXPECT_EQ(buffer.entries[2], (Rgb{0x12, 0x34, 0x56}));
    form.setModalRunner([&](QDialog&) { form.BtnCancel->click(); });
    EXPECT_FALSE(form.EditTable(buffer));
}

TEST(ColorAnimFormDialog, PatternTextWindowAndMakeRefusal) {
    Chooser chooser;
    Reporter reporter;
    TColorAnimForm form(chooser, reporter);
    auto source = Frame(1, 0);
    gifengine::colour::ColourAnimationWork work(*source, 0);
    gifengine::colour::ColourAnimationSettings settings;
    form.setModalRunner([&](QDialog&) {
        EXPECT_EQ(form.EdPattern->text(), "5");
        EXPECT_EQ(form.LTotalImages->text(), "5");
        EXPECT_FALSE(form.Shape[3]->isHidden());
        EXPECT_TRUE(form.Shape[4]->isHidden());
        EXPECT_TRUE(form.Shape[20]->isHidden());
        form.BtnDown->click();
        EXPECT_EQ(form.LLeftNo->text(), "0");
        EXPECT_EQ(form.LRightNo->text(), "15");
        form.EdPattern->setText("x");
        EXPECT_EQ(form.LTotalImages->text(), "2");
        form.CBReturned->click();
        EXPECT_EQ(form.LTotalImages->text(), "2");
        form.EdPattern->setText("1");
        form.BtnMake->click();  // P = 1 turning back makes nothing: stays open
        EXPECT_EQ(reporter.texts.size(), 1u);
        form.EdPattern->setText("4");
        EXPECT_EQ(form.LTotalImages->text(), "6");
        form.BtnMake->click();
    });
    EXPECT_TRUE(form.Run(work, settings, 1));
    EXPECT_EQ(reporter.texts[0], "画像パターン数が正しくありません");
    EXPECT_EQ(settings, (gifengine::colour::ColourAnimationSettings{4, true, false}));
}

TEST(ColorAnimFormDialog, WindowStepsThroughALargeTableAndSwatchesChooseColours) {
    Chooser chooser;
    chooser.answer = Rgb{1, 2, 3};
    Reporter reporter;
    TColorAnimForm form(chooser, reporter);
    auto source = Frame(7, 0);
    gifengine::colour::ColourAnimationWork work(*source, 0);
    gifengine::colour::ColourAnimationSettings settings;
    form.setModalRunner([&](QDialog&) {
        form.BtnDown->click();
        EXPECT_EQ(form.LLeftNo->text(), "16");
        EXPECT_EQ(form.LRightNo->text(), "31");
        ClickSwatch(form.Shape[16 + 1], 0);  // last row, entry 17
        EXPECT_EQ(form.Shape[17]->colourAt(0), QColor(1, 2, 3));
        form.BtnUp->click();
        EXPECT_EQ(form.LLeftNo->text(), "0");
        form.BtnCancel->click();
    });
    EXPECT_FALSE(form.Run(work, settings, 1));
    EXPECT_EQ(chooser.presets.at(0), (Rgb{17, 17, 17}));
    EXPECT_EQ(work.lastColours[17], (Rgb{1, 2, 3}));
    EXPECT_EQ(work.firstColours[17], (Rgb{17, 17, 17}));
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
