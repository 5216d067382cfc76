#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "assembler/html/comment_form.h"

using flikkor::html::TCommentForm;

namespace {

QPlainTextEdit* Memo(TCommentForm& form) { return form.findChild<QPlainTextEdit*>("MemoComment"); }
void Click(TCommentForm& form, const char* name) {
    QTest::mouseClick(form.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

}  // namespace

TEST(CommentForm, LayoutCaptionAndTextBox) {
    std::string stored;
    TCommentForm form("first\r\nsecond", stored);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("コメント入力"));
    EXPECT_EQ(form.size(), QSize(326, 158));
    QPlainTextEdit* memo = Memo(form);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("first\nsecond"));
    const char* names[] = {"BtnSave", "BtnLoad", "BtnCancel", "BtnUpdate"};
    const char* captions[] = {"記憶", "呼出", "取消", "更新"};
    int lastX = -1;
    form.show();
    for (int i = 0; i < 4; ++i) {
        auto* button = form.findChild<QPushButton*>(QString::fromLatin1(names[i]));
        ASSERT_NE(button, nullptr) << names[i];
        EXPECT_EQ(button->text(), QString::fromUtf8(captions[i]));
        EXPECT_GT(button->x(), lastX) << "buttons run left to right";
        lastX = button->x();
    }
}

TEST(CommentForm, SeveralLinesAreAppliedWithCrLfAndNothingAfterTheLast) {
    std::string stored;
    TCommentForm form("", stored);
    form.show();
    QTest::keyClicks(Memo(form), "one");
    QTest::keyClick(Memo(form), Qt::Key_Return);
    QTest::keyClicks(Memo(form), "two");
    Click(form, "BtnUpdate");
    ASSERT_TRUE(form.appliedComment().has_value());
    EXPECT_EQ(*form.appliedComment(), "one\r\ntwo");
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(CommentForm, AnEmptiedTextBoxAppliesAnEmptyComment) {
    std::string stored = "kept";
    TCommentForm form("old comment", stored);
    Memo(form)->clear();
    form.BtnUpdateClick();
    ASSERT_TRUE(form.appliedComment().has_value());
    EXPECT_EQ(*form.appliedComment(), "");
    EXPECT_EQ(stored, "kept");
}

TEST(CommentForm, StoreThenCancelKeepsStoredTextButAppliesNothing) {
    std::string stored = "before";
    TCommentForm form("animation", stored);
    form.show();
    Memo(form)->setPlainText(QStringLiteral("line 1\nline 2"));
    Click(form, "BtnSave");
    EXPECT_EQ(stored, "line 1\r\nline 2");
    EXPECT_TRUE(form.isVisible()) << "storing leaves the dialog open";
    Click(form, "BtnCancel");
    EXPECT_FALSE(form.appliedComment().has_value());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST(CommentForm, RecallPutsTheStoredCommentIntoTheTextBox) {
    std::string stored = "a\rb\nc";
    TCommentForm form("x", stored);
    form.show();
    Click(form, "BtnLoad");
    EXPECT_EQ(Memo(form)->toPlainText(), QStringLiteral("a\nb\nc"));
    form.BtnUpdateClick();
    EXPECT_EQ(*form.appliedComment(), "a\r\nb\r\nc");
}

TEST(CommentForm, AltAAppliesEscCancelsOtherKeysEdit) {
    std::string stored;
    {
        TCommentForm form("x", stored);
        form.show();
        QTest::keyClicks(Memo(form), "y");
        QTest::keyClick(Memo(form), Qt::Key_A, Qt::AltModifier);
        ASSERT_TRUE(form.appliedComment().has_value());
        EXPECT_EQ(*form.appliedComment(), "yx") << "Alt+A applies and types nothing";
    }
    {
        TCommentForm form("x", stored);
        form.show();
        QTest::keyClick(Memo(form), Qt::Key_A);
        EXPECT_TRUE(form.isVisible());
        QTest::keyClick(Memo(form), Qt::Key_Escape);
        EXPECT_FALSE(form.appliedComment().has_value());
        EXPECT_EQ(form.result(), QDialog::Rejected);
        EXPECT_FALSE(form.isVisible());
    }
}
