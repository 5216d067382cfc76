// Up, Down and Shift+Down in the file page's GIF list, the keys the viewer's GIF
// export uses to select the frames it wrote: on the first or last entry a plain
// Up or Down selects that entry although the current entry cannot move.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>
#include <vector>

#include "assembler/window/file_browser.h"

using namespace flikkor;

namespace {

struct ListRig {
    QTemporaryDir dir;
    QListWidget files;
    QComboBox drives;
    QTreeWidget folders;
    std::unique_ptr<FileBrowser> browser;

    explicit ListRig(int entries) {
        files.setSelectionMode(QAbstractItemView::ExtendedSelection);
        for (int k = 0; k < entries; ++k) {
            QFile f(dir.path() + QStringLiteral("/temp-%1.gif").arg(101 + k));
            (void)f.open(QIODevice::WriteOnly);
        }
        browser = std::make_unique<FileBrowser>(&files, &drives, &folders);
        browser->setFolder(dir.path());
        // As after Tab into the list: the first entry is current, nothing is selected.
        files.setCurrentIndex(files.model()->index(0, 0));
        files.clearSelection();
    }
    void press(Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        for (int k = 0; k < times; ++k) QTest::keyClick(&files, key, modifiers);
    }
    std::vector<int> selectedRows() const {
        std::vector<int> rows;
        for (int row = 0; row < files.count(); ++row)
            if (files.item(row)->isSelected()) rows.push_back(row);
        return rows;
    }
};

TEST(FileListKeys, DownThenUpSelectsTheOnlyEntry) {
    ListRig rig(1);
    ASSERT_EQ(rig.files.count(), 1);
    ASSERT_TRUE(rig.selectedRows().empty());
    rig.press(Qt::Key_Down);
    EXPECT_EQ(rig.selectedRows(), std::vector<int>{0});
    rig.press(Qt::Key_Up);
    EXPECT_EQ(rig.selectedRows(), std::vector<int>{0});
    EXPECT_EQ(rig.browser->selectedPaths(), QStringList{rig.dir.path() + "/temp-101.gif"});
}

TEST(FileListKeys, ShiftDownPastTheEndKeepsTheSelection) {
    ListRig one(1);
    one.press(Qt::Key_Down);
    one.press(Qt::Key_Up);
    one.press(Qt::Key_Down, 6, Qt::ShiftModifier);  // the export's five extra strokes and one more
    EXPECT_EQ(one.selectedRows(), std::vector<int>{0});

    ListRig three(3);
    three.press(Qt::Key_Down);
    three.press(Qt::Key_Up);
    three.press(Qt::Key_Down, 8, Qt::ShiftModifier);
    EXPECT_EQ(three.selectedRows(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(three.files.currentRow(), 2);
}

TEST(FileListKeys, UpAndDownElsewhereMoveAndSelectAsBefore) {
    ListRig rig(3);
    rig.press(Qt::Key_Down);
    EXPECT_EQ(rig.selectedRows(), std::vector<int>{1});
    rig.press(Qt::Key_Up);
    EXPECT_EQ(rig.selectedRows(), std::vector<int>{0});
    rig.press(Qt::Key_Up);  // the first entry again: stays selected alone
    EXPECT_EQ(rig.selectedRows(), std::vector<int>{0});
    EXPECT_EQ(rig.files.currentRow(), 0);
}

TEST(FileListKeys, DownOnTheLastEntrySelectsItAloneAndAnchorsShiftUp) {
    ListRig rig(3);
    rig.press(Qt::Key_Down, 2);
    rig.press(Qt::Key_Up, 2, Qt::ShiftModifier);
    ASSERT_EQ(rig.selectedRows(), (std::vector<int>{0, 1, 2}));
    rig.press(Qt::Key_Down, 2, Qt::ControlModifier);  // back to the last entry, selection untouched
    ASSERT_EQ(rig.files.currentRow(), 2);
    ASSERT_EQ(rig.selectedRows(), (std::vector<int>{0, 1, 2}));
    rig.press(Qt::Key_Down);  // against the end
    EXPECT_EQ(rig.selectedRows(), std::vector<int>{2});
    rig.press(Qt::Key_Up, 1, Qt::ShiftModifier);
    EXPECT_EQ(rig.selectedRows(), (std::vector<int>{1, 2}));
}

TEST(FileListKeys, CtrlDownOnTheLastEntryLeavesTheSelectionAlone) {
    ListRig rig(2);
    rig.press(Qt::Key_Down);
    ASSERT_EQ(rig.selectedRows(), std::vector<int>{1});
    rig.press(Qt::Key_Up, 1, Qt::ControlModifier);  // moves the current entry only
    rig.press(Qt::Key_Up, 1, Qt::ControlModifier);
    EXPECT_EQ(rig.files.currentRow(), 0);
    EXPECT_EQ(rig.selectedRows(), std::vector<int>{1});
}

}  // namespace
