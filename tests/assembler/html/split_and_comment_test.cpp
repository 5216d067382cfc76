#include <gtest/gtest.h>

#include "fake_writer.h"
#include "html/comment_text.h"
#include "html/split_frames.h"

using assembler_html::testing::FakeWriter;
using assembler_html::testing::RecordingReporter;
using assembler_html::testing::ScriptedChooser;

namespace {

std::vector<std::string> WrittenPaths(const FakeWriter& writer) {
    std::vector<std::string> paths;
    for (const auto& call : writer.singleCalls) paths.push_back(call.path);
    return paths;
}

}  // namespace

TEST(Split, ThreeFramesAsClipGif) {
    FakeWriter writer(3);
    RecordingReporter reporter;
    ScriptedChooser chooser;
    chooser.answer = "/out/clip.gif";
    std::string folder = "/start";
    EXPECT_EQ(assembler_html::MenuDisAssemble(writer, reporter, chooser, folder), 3);
    EXPECT_EQ(WrittenPaths(writer),
              (std::vector<std::string>{"/out/clip001.gif", "/out/clip002.gif", "/out/clip003.gif"}));
    EXPECT_EQ(writer.singleCalls[2].index, 2);
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].title, "ファイル作成");
    EXPECT_EQ(chooser.requests[0].initialFolder, "/start");
    EXPECT_TRUE(chooser.requests[0].confirmOverwrite);
    EXPECT_EQ(folder, "/out");
    EXPECT_TRUE(writer.animatedPaths.empty());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(Split, NumberingChangesWidthAtTenAndAtOneHundred) {
    FakeWriter writer(120);
    EXPECT_EQ(assembler_html::WriteSplitFiles(writer, "anim.gif"), 120);
    const auto paths = WrittenPaths(writer);
    ASSERT_EQ(paths.size(), 120u);
    EXPECT_EQ(paths[0], "anim001.gif");
    EXPECT_EQ(paths[8], "anim009.gif");
    EXPECT_EQ(paths[9], "anim010.gif");
    EXPECT_EQ(paths[98], "anim099.gif");
    EXPECT_EQ(paths[99], "anim100.gif");
    EXPECT_EQ(paths[119], "anim120.gif");

    FakeWriter thousand(1000);
    EXPECT_EQ(assembler_html::WriteSplitFiles(thousand, "anim.gif"), 1000);
    EXPECT_EQ(thousand.singleCalls.back().path, "anim1000.gif");
    EXPECT_EQ(thousand.singleCalls.back().index, 999);
}

TEST(Split, BaseNameLosesOnlyTheLastExtensionOfTheFileName) {
    using assembler_html::SplitBaseName;
    EXPECT_EQ(SplitBaseName("frames"), "frames");
    EXPECT_EQ(SplitBaseName("a.b.gif"), "a.b");
    EXPECT_EQ(SplitBaseName("/x/Anim.GIF"), "/x/Anim");
    EXPECT_EQ(SplitBaseName("/my.folder/frames"), "/my.folder/frames");
    EXPECT_EQ(assembler_html::SplitFileName(SplitBaseName("frames"), 1), "frames001.gif");
    EXPECT_EQ(assembler_html::SplitFileName(SplitBaseName("a.b.gif"), 1), "a.b001.gif");
}

TEST(Split, StopsAtTheFirstFailure) {
    FakeWriter writer(5);
    writer.failAtIndex = 2;
    EXPECT_EQ(assembler_html::WriteSplitFiles(writer, "/o/x.gif"), 2);
    EXPECT_EQ(writer.singleCalls.size(), 3u) << "no frame is tried after the failed one";
}

TEST(Split, EmptyListIsReportedAndCancelWritesNothing) {
    RecordingReporter reporter;
    ScriptedChooser chooser;
    chooser.answer = "/o/x.gif";
    std::string folder = "/keep";
    FakeWriter empty(0);
    EXPECT_EQ(assembler_html::MenuDisAssemble(empty, reporter, chooser, folder), 0);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].caption, "Reelwright:エラー");
    EXPECT_EQ(reporter.messages[0].text, "画像がありません");
    EXPECT_TRUE(chooser.requests.empty());

    FakeWriter writer(2);
    chooser.answer.reset();
    EXPECT_EQ(assembler_html::MenuDisAssemble(writer, reporter, chooser, folder), 0);
    EXPECT_TRUE(writer.singleCalls.empty());
    EXPECT_EQ(folder, "/keep");
}

TEST(CommentText, LinesAreJoinedWithCrLfAndNothingAfterTheLast) {
    using assembler_html::CommentFromEditorText;
    EXPECT_EQ(CommentFromEditorText("one\ntwo\nthree"), "one\r\ntwo\r\nthree");
    EXPECT_EQ(CommentFromEditorText(""), "");
    EXPECT_EQ(CommentFromEditorText("single"), "single");
    EXPECT_EQ(CommentFromEditorText("a\n\nb"), "a\r\n\r\nb");
}

TEST(CommentText, StoredLineBreaksOfAnyKindBecomeEditorLines) {
    using assembler_html::EditorTextFromComment;
    EXPECT_EQ(EditorTextFromComment("a\r\nb\rc\nd"), "a\nb\nc\nd");
    EXPECT_EQ(EditorTextFromComment("a\r\n\r\n"), "a\n\n");
    EXPECT_EQ(assembler_html::CommentFromEditorText(EditorTextFromComment("x\ny\rz")), "x\r\ny\r\nz");
}
