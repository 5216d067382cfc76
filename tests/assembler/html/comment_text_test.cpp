#include <gtest/gtest.h>

#include "assembler/html/comment_text.h"

TEST(CommentText, LinesAreJoinedWithCrLfAndNothingAfterTheLast) {
    using flikkor::html::CommentFromEditorText;
    EXPECT_EQ(CommentFromEditorText("one\ntwo\nthree"), "one\r\ntwo\r\nthree");
    EXPECT_EQ(CommentFromEditorText(""), "");
    EXPECT_EQ(CommentFromEditorText("single"), "single");
    EXPECT_EQ(CommentFromEditorText("a\n\nb"), "a\r\n\r\nb");
}

TEST(CommentText, StoredLineBreaksOfAnyKindBecomeEditorLines) {
    using flikkor::html::EditorTextFromComment;
    EXPECT_EQ(EditorTextFromComment("a\r\nb\rc\nd"), "a\nb\nc\nd");
    EXPECT_EQ(EditorTextFromComment("a\r\n\r\n"), "a\n\n");
    EXPECT_EQ(flikkor::html::CommentFromEditorText(EditorTextFromComment("x\ny\rz")), "x\r\ny\r\nz");
}
