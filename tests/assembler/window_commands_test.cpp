// The main window's commands over the real GIF engine: the list commands, the
// interactive make with its warnings and save dialog, the split sharing that
// dialog, the colour-table animation's selection rule, and the grid model.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "assembler/platform/associations.h"
#include "assembler/window/file_browser.h"
#include "assembler/window/work_dir_form.h"
#include "form_harness.h"

using namespace flikkor;
using namespace flikkor::testing;

namespace {

struct Window : FormHarness {
    Window() { open(); }
    // Frames with delays 1..n from one file, in order.
    void numbered(int n) {
        std::vector<int> delays;
        for (int k = 1; k <= n; ++k) delays.push_back(k);
        form->addPath(writeGif("n.gif", n, delays));
    }
    QStringList texts() const {
        QStringList out;
        for (const Message& m : reporter.messages) out << m.text;
        return out;
    }
};

}  // namespace

TEST(WindowListCommands, DuplicateMoveDeleteAndClearSelectTheirResult) {
    Window w;
    w.numbered(5);
    w.form->selectGridRows(2, 4);
    w.form->BtnDuplicateClick();
    EXPECT_EQ(w.delays(), (std::vector<int>{1, 2, 3, 4, 2, 3, 4, 5}));
    EXPECT_EQ(w.form->LSelectNo->text(), "5 - 7");
    EXPECT_EQ(w.form->SGImages->model()->rowCount(), 9);

    w.form->selectGridRows(8, 9);  // last frame with the blank row
    w.form->BtnMoveBottomClick();
    EXPECT_EQ(w.delays().back(), 5);
    w.form->BtnMoveTopClick();
    EXPECT_EQ(w.delays().front(), 5);
    EXPECT_EQ(w.form->LSelectNo->text(), "1");
    w.form->BtnDownClick();
    EXPECT_EQ(w.delays(), (std::vector<int>{1, 5, 2, 3, 4, 2, 3, 4}));
    EXPECT_EQ(w.form->LSelectNo->text(), "2");
    w.form->BtnUpClick();
    w.form->BtnUpClick();  // already first: refused, the selection stays
    EXPECT_EQ(w.delays().front(), 5);
    EXPECT_EQ(w.form->LSelectNo->text(), "1");

    w.form->selectGridRows(8, 9);
    w.form->BtnDeleteClick();
    EXPECT_EQ(w.engine().frames.count(), 7);
    EXPECT_EQ(w.form->LSelectNo->text(), "");  // the blank row is now current
    w.form->BtnAllSelectClick();
    EXPECT_EQ(w.form->LSelectNo->text(), "1 - 7");
    EXPECT_FALSE(w.form->LFileSize->text().isEmpty());
    w.form->BtnClearClick();
    EXPECT_EQ(w.engine().frames.count(), 0);
    EXPECT_TRUE(w.form->EdLSWidth->text().isEmpty());
    EXPECT_TRUE(w.form->EdIteration->text().isEmpty());
    EXPECT_TRUE(w.form->LFileSize->text().isEmpty());
    EXPECT_EQ(w.form->SGImages->model()->rowCount(), 1);
    EXPECT_TRUE(w.reporter.messages.empty());
}

TEST(WindowListCommands, DuplicateAtTheListLimitIsReportedAndKeepsTheSelection) {
    Window w;
    w.numbered(1);
    for (int k = 0; k < 9; ++k) {
        w.form->BtnAllSelectClick();
        w.form->BtnDuplicateClick();
    }
    ASSERT_EQ(w.engine().frames.count(), 512);
    ASSERT_TRUE(w.reporter.messages.empty());
    w.form->BtnAllSelectClick();
    w.form->BtnDuplicateClick();  // 512 more would pass 1000
    EXPECT_EQ(w.engine().frames.count(), 512);
    ASSERT_EQ(w.reporter.messages.size(), 1u);
    EXPECT_EQ(w.reporter.messages[0].caption, "Reelwright:エラー");
    EXPECT_EQ(w.reporter.messages[0].text, "画像リストの上限(1000)に達したため、これ以上画像を追加できません");
    EXPECT_EQ(w.form->LSelectNo->text(), "1 - 512");
}

TEST(WindowMake, WarningsThenTheSaveDialogThenTheFileAndItsFolderForNextTime) {
    Window w;
    w.numbered(2);
    w.form->EdIteration->setText("abc");
    w.form->BtnGCClearClick();  // no frame uses the global table
    w.chooser.saveAnswer = w.path("made.txt");
    w.form->BtnMakeClick();
    EXPECT_EQ(
        w.texts(),
        (QStringList{
            "繰り返し回数の指定が正しくありません\n0(連続)として作成します",
            "グローバルカラーテーブルの指定がありませんので、グローバルカラーテーブルなしのファイルを作成します"}));
    EXPECT_EQ(w.reporter.messages[0].caption, "Reelwright:警告");
    ASSERT_EQ(w.chooser.requests.size(), 1u);
    const FileDialogRequest& shown = w.chooser.requests[0];
    EXPECT_EQ(shown.title, "ファイル作成");
    EXPECT_EQ(shown.filter, "GIFﾌｧｲﾙ (*.gif)");
    EXPECT_EQ(shown.fileName, "noname.gif");
    EXPECT_EQ(shown.folder, w.dir.path());
    EXPECT_TRUE(shown.confirmOverwrite);
    EXPECT_TRUE(QFile::exists(w.path("made.gif")));
    EXPECT_FALSE(QFile::exists(w.path("made.txt")));
    EXPECT_EQ(w.form->lastMadeFile(), w.path("made.gif"));
    EXPECT_EQ(QFileInfo(w.path("made.gif")).size(), w.form->LFileSize->text().toLongLong());

    // Cancel writes nothing and says nothing; the dialog opens where the last name was chosen.
    QDir().mkdir(w.path("sub"));
    w.chooser.saveAnswer = w.path("sub/second.gif");
    w.form->BtnMakeClick();
    w.chooser.saveAnswer.reset();
    w.reporter.messages.clear();
    w.form->EdIteration->setText("0");
    w.form->selectGridRows(1, 1);
    w.form->BtnGCTClick();
    w.form->BtnMakeClick();
    EXPECT_TRUE(w.reporter.messages.empty());
    EXPECT_EQ(w.chooser.requests.back().folder, w.path("sub"));
    EXPECT_EQ(w.form->lastMadeFile(), w.path("sub/second.gif"));
    w.form->show();
    w.form->close();
    EXPECT_EQ(w.store.stored->writeDir, w.path("sub"));
}

TEST(WindowSplit, SharesTheMakesSaveDialogNameAndFolder) {
    Window w;
    QDir().mkdir(w.path("out"));
    w.store.stored = AssemblerSettings{"0.68", w.dir.path(), w.path("out"), w.path("AnimTmp"), "", "", ""};
    w.form.reset();
    w.open();
    w.numbered(3);
    QDir().mkdir(w.path("parts"));
    w.chooser.saveAnswer = w.path("parts/clip.gif");
    w.form->MenuDisAssembleClick();
    ASSERT_EQ(w.chooser.requests.size(), 1u);
    EXPECT_EQ(w.chooser.requests[0].fileName, "noname.gif");
    EXPECT_EQ(w.chooser.requests[0].folder, w.path("out"));
    for (const char* name : {"clip001.gif", "clip002.gif", "clip003.gif"})
        EXPECT_TRUE(QFile::exists(w.path("parts/") + name)) << name;
    EXPECT_TRUE(w.form->lastMadeFile().isEmpty());

    w.chooser.saveAnswer.reset();
    w.form->BtnMakeClick();
    EXPECT_EQ(w.chooser.requests.back().folder, w.path("parts"));
    w.form->show();
    w.form->close();
    EXPECT_EQ(w.store.stored->writeDir, w.path("parts"));
}

TEST(WindowColourAnimation, LastFrameWithTheBlankRowIsSeveralRows) {
    Window w;
    w.numbered(2);
    bool opened = false;
    w.form->setDialogRunner([&](QDialog&) { opened = true; });
    w.form->selectGridRows(2, 3);
    w.form->BtnCTAnimClick();
    EXPECT_FALSE(opened);
    EXPECT_EQ(w.texts(), QStringList{"元になる画像を１つだけ選択してください"});
    w.form->selectGridRows(3, 3);
    w.form->BtnCTAnimClick();
    EXPECT_FALSE(opened);
    EXPECT_EQ(w.texts().back(), "元になる画像を１つ選択してください");
    EXPECT_EQ(w.engine().frames.count(), 2);
}

TEST(WindowHtml, ImgTagBeforeAnyMakeIsAnErrorWithoutDialog) {
    Window w;
    bool opened = false;
    w.form->setDialogRunner([&](QDialog&) { opened = true; });
    w.form->MenuHTMLIMGClick();
    EXPECT_FALSE(opened);
    ASSERT_EQ(w.reporter.messages.size(), 1u);
    EXPECT_EQ(w.reporter.messages[0].caption, "Reelwright:エラー");
    EXPECT_EQ(w.reporter.messages[0].text, "まだファイルが作成されていません");

    w.numbered(1);
    w.chooser.saveAnswer = w.path("a.gif");
    w.form->BtnMakeClick();
    w.form->MenuHTMLIMGClick();
    EXPECT_TRUE(opened);
    EXPECT_EQ(w.reporter.messages.size(), 1u);
}

TEST(WindowHtml, ImgTagRefusalGoesThroughTheWindowReporter) {
    Window w;
    w.numbered(1);
    w.chooser.saveAnswer = w.path("a.gif");
    w.form->BtnMakeClick();
    w.form->setDialogRunner([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("EVSpace"))->setText(QStringLiteral("1.5"));
    });
    w.form->MenuHTMLIMGClick();
    ASSERT_EQ(w.reporter.messages.size(), 1u);
    EXPECT_EQ(w.reporter.messages[0].caption, "Reelwright");
    EXPECT_EQ(w.reporter.messages[0].text, "'1.5' は整数ではありません.");
}

TEST(WindowPrograms, LogosOpenTheHomePageAndHelpIconsTheManual) {
    Window w;
    for (const QString& mime : htmlMimeTypes()) w.associations.commands[mime] = QStringLiteral("browser %1");
    w.form->Image3Click();
    ASSERT_EQ(w.launcher.started.size(), 1u);
    EXPECT_EQ(w.launcher.started[0], (QStringList{"browser", kHomePage}));
    QFile(w.path("flikkor.htm")).open(QIODevice::WriteOnly);
    w.form->MenuDocumentClick();
    ASSERT_EQ(w.launcher.started.size(), 2u);
    EXPECT_EQ(w.launcher.started[1], (QStringList{"browser", w.path("flikkor.htm")}));
}

TEST(WindowPanel, SelectionMovedWithTheKeysReloadsThePanel) {
    Window w;
    w.numbered(3);
    w.form->selectGridRows(1, 1);
    w.form->SGImagesClick();
    ASSERT_EQ(w.form->LSelectNo->text(), "1");
    QTest::keyClick(w.form->SGImages, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(w.form->LSelectNo->text(), "1 - 2");
    EXPECT_EQ(w.form->panelShown().last, 1);
    QTest::keyClick(w.form->SGImages, Qt::Key_Down);
    EXPECT_EQ(w.form->LSelectNo->text(), "3");
    EXPECT_EQ(w.form->EDelay->text(), "3");
}

TEST(WindowGrid, FrameTableModelStaysConsistentThroughTheListCommands) {
    Window w;
    QAbstractItemModelTester tester(w.form->SGImages->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    w.numbered(3);
    w.form->addPath(w.writeGif("more.gif", 2));
    w.form->selectGridRows(1, 2);
    w.form->BtnDuplicateClick();
    w.form->BtnMoveBottomClick();
    w.form->BtnDeleteClick();
    EXPECT_EQ(w.form->SGImages->model()->rowCount(), w.engine().frames.count() + 1);
    EXPECT_EQ(w.form->SGImages->model()->index(0, 0).data().toString(), "1");
    w.form->BtnClearClick();
    EXPECT_EQ(w.form->SGImages->model()->rowCount(), 1);
    EXPECT_FALSE(w.form->SGImages->model()->index(0, 1).data().isValid());
}

TEST(WindowDialogs, CommentAndWorkFolderDialogsRunThroughTheInjectedRunner) {
    Window w;
    w.numbered(1);
    // Unscripted, the comment editor is recorded and cancelled: the comment stays.
    w.form->BtnCommentClick();
    EXPECT_EQ(w.unscriptedDialogs, QStringList{"flikkor::html::TCommentForm"});
    EXPECT_TRUE(w.engine().animationComment.empty());

    w.form->setDialogRunner([](QDialog& dialog) {
        auto* memo = dialog.findChild<QPlainTextEdit*>();
        ASSERT_NE(memo, nullptr);
        memo->setPlainText(QStringLiteral("こんにちは"));
        dialog.findChild<QPushButton*>("BtnUpdate")->click();
    });
    const QString before = w.form->LFileSize->text();
    w.form->BtnCommentClick();
    EXPECT_EQ(w.engine().animationComment, "\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd");  // Shift_JIS
    EXPECT_GT(w.form->LFileSize->text().toInt(), before.toInt());

    // The work-folder dialog takes the same runner: "作成" proposes AnimTmp in the shown folder.
    TWorkDirForm chooser(nullptr, [](QDialog& dialog) { dialog.findChild<QPushButton*>("BtnMake")->click(); });
    chooser.browser()->setFolder(w.dir.path());
    EXPECT_EQ(chooser.chooseWorkFolder(w.path("old"), false), w.path("AnimTmp"));
    TWorkDirForm cancelled(nullptr, [](QDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(cancelled.chooseWorkFolder(w.path("old"), false), w.path("old"));
}
