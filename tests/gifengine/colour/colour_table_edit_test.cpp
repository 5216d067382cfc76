#include <gtest/gtest.h>

#include <functional>

#include "colour_test_frames.h"
#include "gifengine/colour/colour_table_edit.h"
#include "gifengine/frame_row.h"

using namespace gifengine::colour;
using namespace gifengine::colour::testing;
using gifengine::FrameList;
using gifengine::Rgb;

namespace {

class ScriptedEditor final : public ColourTableEditor {
public:
    bool EditTable(ColourEditBuffer& buffer) override {
        ++opened;
        shownCount = buffer.count;
        if (edit) edit(buffer);
        return confirm;
    }
    std::function<void(ColourEditBuffer&)> edit;
    bool confirm = true;
    int opened = 0;
    int shownCount = 0;
};

}  // namespace

TEST(ColourTableEdit, TablesDifferingOnlyInTheLastEntryAreRefused) {
    FrameList frames;
    Append(frames, MakeFrame(7));
    Append(frames, MakeFrame(7, 0, {{255, 0xABCDEF}}));
    SelectRows(frames, 1, 2);
    RecordingReporter reporter;
    RecordingHost host;
    ScriptedEditor editor;
    EXPECT_FALSE(EditColorTables(frames, reporter, editor, host));
    EXPECT_EQ(editor.opened, 0);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].caption, "Reelwright:エラー");
    EXPECT_EQ(reporter.messages[0].text, "選択されたイメージのカラーテーブルに異なるものがあります");
    EXPECT_EQ(host.changes, 0);
    EXPECT_EQ(ColourValue(frames[1].colourTable[255]), 0xABCDEF);
}

TEST(ColourTableEdit, TablesOfDifferentSizeAreRefusedEvenWhenTheCommonPartMatches) {
    FrameList frames;
    Append(frames, MakeFrame(3));
    Append(frames, MakeFrame(4));
    EXPECT_FALSE(BlockTablesIdentical(frames, 0, 2));
    // Entries past the table's count carry no meaning and are not compared.
    frames[1].descriptor.packed = 0x83;
    frames[1].colourTable[200] = Rgb{1, 2, 3};
    EXPECT_TRUE(BlockTablesIdentical(frames, 0, 2));
}

TEST(ColourTableEdit, EditingAGlobalFrameMakesEveryBlockFrameLocalAndGivesTheNotice) {
    FrameList frames;
    Append(frames, MakeFrame(3, 0, {{5, 0x090909}}));  // outside the block: untouched
    auto global = MakeFrame(3);
    global->usesGlobalTable = true;
    Append(frames, std::move(global));
    Append(frames, MakeFrame(3));
    Append(frames, MakeFrame(3));
    SelectRows(frames, 2, 5);  // down to the empty row
    RecordingReporter reporter;
    RecordingHost host;
    ScriptedEditor editor;
    ScriptedChooser chooser;
    chooser.answers = {Rgb{0x11, 0x22, 0x33}, std::nullopt};
    editor.edit = [&](ColourEditBuffer& buffer) {
        EXPECT_TRUE(buffer.ChooseEntry(5, chooser));
        EXPECT_FALSE(buffer.ChooseEntry(6, chooser));   // cancelled
        EXPECT_FALSE(buffer.ChooseEntry(16, chooser));  // beyond the table: no dialog
    };
    EXPECT_TRUE(EditColorTables(frames, reporter, editor, host));
    EXPECT_EQ(editor.shownCount, 16);
    ASSERT_EQ(chooser.presets.size(), 2u);
    EXPECT_EQ(chooser.presets[0], (Rgb{5, 5, 5}));
    EXPECT_EQ(chooser.presets[1], (Rgb{6, 6, 6}));

    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(ColourValue(frames[i].colourTable[5]), 0x112233) << i;
        EXPECT_EQ(ColourValue(frames[i].colourTable[6]), 0x060606) << i;
        EXPECT_FALSE(frames[i].usesGlobalTable);
    }
    EXPECT_EQ(gifengine::ShowFrameRow(frames[1], 1)[7], "ﾛｰｶﾙ");
    EXPECT_EQ(ColourValue(frames[0].colourTable[5]), 0x090909);
    EXPECT_EQ(host.resets, 1);
    EXPECT_EQ(host.changes, 1);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].caption, "Reelwright:注意");
    EXPECT_EQ(reporter.messages[0].text,
              "カラーテーブルが変更されたためグローバルカラーテーブルの指定を行ってください");
}

TEST(ColourTableEdit, CancelAndEmptyRowChangeNothing) {
    FrameList frames;
    auto global = MakeFrame(3);
    global->usesGlobalTable = true;
    Append(frames, std::move(global));
    RecordingReporter reporter;
    RecordingHost host;
    ScriptedEditor editor;
    editor.confirm = false;
    editor.edit = [](ColourEditBuffer& buffer) { buffer.entries[0] = Rgb{1, 1, 1}; };
    SelectRows(frames, 1, 1);
    EXPECT_FALSE(EditColorTables(frames, reporter, editor, host));
    EXPECT_EQ(editor.opened, 1);
    EXPECT_TRUE(frames[0].usesGlobalTable);
    EXPECT_EQ(ColourValue(frames[0].colourTable[0]), 0);

    SelectRows(frames, 2, 2);  // the empty row
    EXPECT_FALSE(EditColorTables(frames, reporter, editor, host));
    EXPECT_EQ(editor.opened, 1);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(host.changes, 0);
    EXPECT_EQ(host.resets, 2);  // the pending panel edits go in any case
}
