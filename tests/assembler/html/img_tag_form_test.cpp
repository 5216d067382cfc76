#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "assembler/html/img_tag_form.h"

using namespace flikkor::html;

namespace {

class RecordingClipboard final : public TextClipboard {
public:
    void SetText(const std::string& utf8) override { texts.push_back(utf8); }
    std::vector<std::string> texts;
};

struct ShownMessage {
    std::string caption;
    std::string text;
    gifengine::MessageButtons buttons;
};

class RecordingReporter final : public gifengine::Reporter {
public:
    gifengine::MessageAnswer ShowMessage(std::string_view caption, std::string_view text,
                                         gifengine::MessageButtons buttons) override {
        shown.push_back({std::string(caption), std::string(text), buttons});
        return gifengine::MessageAnswer::Ok;
    }
    std::vector<ShownMessage> shown;
};

const char* kStartTag =
    "<IMG SRC=\"anim.gif\" ALT=\"anim.gif\" WIDTH=\"120\" HEIGHT=\"80\" BORDER=\"0\" VSPACE=\"0\" HSPACE=\"0\">";

class ImgTagFormTest : public ::testing::Test {
protected:
    ImgTagFormTest() : form(options, clipboard, messages) {
        form.setMadeFile(MadeFile{"/out/Anim.GIF", 120, 80});
        form.show();
    }
    template <typename W>
    W* child(const char* name) {
        W* w = form.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    std::string tag() { return child<QLineEdit>("EFullStr")->text().toStdString(); }

    ImgTagOptions options;
    RecordingClipboard clipboard;
    RecordingReporter messages;
    TIMGTagForm form;
};

}  // namespace

TEST_F(ImgTagFormTest, ShowingFillsFileSizeTagAndStartControls) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("HTML IMGタグ作成"));
    EXPECT_EQ(child<QLineEdit>("EditGIFName")->text(), QStringLiteral("/out/Anim.GIF"));
    EXPECT_TRUE(child<QLineEdit>("EditGIFName")->isReadOnly());
    EXPECT_EQ(child<QLineEdit>("EditSize")->text(), QStringLiteral("120x80"));
    EXPECT_EQ(tag(), kStartTag);
    EXPECT_FALSE(child<QCheckBox>("CLower")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("CAlt")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("CAlign")->isChecked());
    EXPECT_EQ(child<QLineEdit>("EBorder")->text(), QStringLiteral("0"));
    auto* align = child<QComboBox>("CBAlign");
    ASSERT_EQ(align->count(), 5);
    EXPECT_EQ(align->itemText(0), QStringLiteral("left"));
    EXPECT_EQ(align->itemText(4), QStringLiteral("bottom"));
    EXPECT_EQ(align->currentText(), QStringLiteral("left"));
}

TEST_F(ImgTagFormTest, LowerCaseAndAlignMiddleThroughTheControls) {
    child<QCheckBox>("CLower")->click();
    child<QCheckBox>("CAlign")->setChecked(true);
    child<QComboBox>("CBAlign")->setCurrentIndex(3);
    EXPECT_EQ(tag(),
              "<img src=\"anim.gif\" alt=\"anim.gif\" width=\"120\" height=\"80\" border=\"0\" vspace=\"0\" "
              "hspace=\"0\" align=\"middle\">");
}

TEST_F(ImgTagFormTest, TypedCharactersDoNotChooseAnAlignItem) {
    auto* align = child<QComboBox>("CBAlign");
    align->setFocus();
    QTest::keyClicks(align, "mr");
    EXPECT_EQ(align->currentText(), QStringLiteral("left"));
}

TEST_F(ImgTagFormTest, EmptyAltRepeatsTheNameAndUntickedAltDropsIt) {
    auto* alt = child<QLineEdit>("EAlt");
    QTest::keyClicks(alt, "Wave");
    EXPECT_NE(tag().find("ALT=\"Wave\""), std::string::npos);
    alt->clear();
    EXPECT_NE(tag().find("ALT=\"anim.gif\""), std::string::npos);
    child<QCheckBox>("CAlt")->setChecked(false);
    EXPECT_EQ(tag().find("ALT="), std::string::npos);
}

TEST_F(ImgTagFormTest, TypedQuoteInAltCannotBreakTheTag) {
    QTest::keyClicks(child<QLineEdit>("EAlt"), "a\" onload=\"x");
    EXPECT_NE(tag().find("ALT=\"a&quot; onload=&quot;x\""), std::string::npos);
}

TEST_F(ImgTagFormTest, EmptyBorderShowsTheConversionMessageAndKeepsTheValue) {
    auto* border = child<QLineEdit>("EBorder");
    border->setText(QStringLiteral("3"));
    EXPECT_NE(tag().find("BORDER=\"3\""), std::string::npos);
    border->clear();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Reelwright");
    EXPECT_EQ(messages.shown[0].text, "'' は整数ではありません.");
    EXPECT_EQ(messages.shown[0].buttons, gifengine::MessageButtons::Ok);
    EXPECT_EQ(options.borderValue, 3);
    EXPECT_NE(tag().find("BORDER=\"3\""), std::string::npos);

    child<QLineEdit>("EHSpace")->setText(QStringLiteral("x"));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].caption, "Reelwright");
    EXPECT_EQ(messages.shown[1].text, "'x' は整数ではありません.");
    EXPECT_NE(tag().find("HSPACE=\"0\""), std::string::npos);
}

TEST_F(ImgTagFormTest, HandEditIsCopiedAndAnOptionChangeDiscardsIt) {
    auto* full = child<QLineEdit>("EFullStr");
    full->setText(QStringLiteral("<IMG SRC=\"edited.gif\">"));
    QTest::mouseClick(child<QPushButton>("BFullStr"), Qt::LeftButton);
    ASSERT_EQ(clipboard.texts.size(), 1u);
    EXPECT_EQ(clipboard.texts[0], "<IMG SRC=\"edited.gif\">");

    child<QCheckBox>("CBorder")->setChecked(false);
    EXPECT_EQ(tag().find("edited"), std::string::npos);
    QTest::mouseClick(child<QPushButton>("BFullStr"), Qt::LeftButton);
    EXPECT_EQ(clipboard.texts.back(), tag());
}

TEST_F(ImgTagFormTest, ResetRestoresStartValuesButKeepsLowerCase) {
    child<QCheckBox>("CLower")->setChecked(true);
    child<QCheckBox>("CHSpace")->setChecked(false);
    child<QLineEdit>("EVSpace")->setText(QStringLiteral("9"));
    child<QCheckBox>("CAlign")->setChecked(true);
    child<QComboBox>("CBAlign")->setCurrentIndex(2);
    QTest::mouseClick(child<QPushButton>("BtnReset"), Qt::LeftButton);
    EXPECT_TRUE(child<QCheckBox>("CLower")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("CHSpace")->isChecked());
    EXPECT_EQ(child<QLineEdit>("EVSpace")->text(), QStringLiteral("0"));
    EXPECT_EQ(child<QComboBox>("CBAlign")->currentText(), QStringLiteral("left"));
    EXPECT_EQ(tag(),
              "<img src=\"anim.gif\" alt=\"anim.gif\" width=\"120\" height=\"80\" border=\"0\" vspace=\"0\" "
              "hspace=\"0\">");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ImgTagFormTest, ReopeningShowsTheNewFileAndNewerSizeWithTheOptionsKept) {
    child<QCheckBox>("CLower")->setChecked(true);
    child<QLineEdit>("EAlt")->setText(QStringLiteral("clip"));
    form.hide();

    // A preview wrote a 200 x 150 screen after the make: same name, newer size.
    TIMGTagForm again(options, clipboard, messages);
    again.setMadeFile(MadeFile{"/out/Anim.GIF", 200, 150});
    again.show();
    EXPECT_EQ(again.findChild<QLineEdit*>("EditSize")->text(), QStringLiteral("200x150"));
    EXPECT_EQ(again.findChild<QLineEdit*>("EFullStr")->text().toStdString(),
              "<img src=\"anim.gif\" alt=\"clip\" width=\"200\" height=\"150\" border=\"0\" vspace=\"0\" "
              "hspace=\"0\">");
    EXPECT_TRUE(again.findChild<QCheckBox*>("CLower")->isChecked());
}

TEST_F(ImgTagFormTest, NothingMadeLeavesTheTextsEmpty) {
    form.hide();
    form.setMadeFile(MadeFile{});
    form.show();
    EXPECT_TRUE(child<QLineEdit>("EditGIFName")->text().isEmpty());
    EXPECT_TRUE(child<QLineEdit>("EditSize")->text().isEmpty());
    EXPECT_TRUE(tag().empty());
}
