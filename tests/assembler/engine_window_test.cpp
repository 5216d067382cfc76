// The main window over the real GIF engine: loading real files, the parameter panel
// writing into the records, and the commands that hand the records to the web tools.
#include <gtest/gtest.h>

#include <functional>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>

#include "assembler/colour/color_edit_form.h"
#include "assembler/colour/swatch_grid_widget.h"
#include "assembler/colour/trans_col_form.h"
#include "assembler/platform/associations.h"
#include "assembler/window/image_form.h"
#include "form_harness.h"
#include "gif_builder.h"
#include "gifengine/gif_engine.h"
#include "giflib_decode.h"
#include "recording_reporter.h"

using namespace flikkor;
using namespace flikkor::testing;

namespace {

gifengine::testing::DecodedGif decodeFile(const QString& path) {
    return gifengine::testing::DecodeWithGiflib(gifengine::testing::ReadFile(path.toStdString()));
}

struct EngineHarness : FormHarness {
    EngineHarness() { open(); }
    // The text of grid row `row` (1 = first frame), column `column`.
    QString cell(int row, int column) const {
        return form->SGImages->model()->index(row - 1, column).data().toString();
    }
};

}  // namespace

TEST(EngineWindow, LoadFillsGridAndBoxesAndThePanelWritesTheRecords) {
    EngineHarness h;
    h.form->addPath(h.writeGif("two.gif", 2));
    ASSERT_EQ(h.engine().frames.count(), 2);
    EXPECT_EQ(h.form->EdLSWidth->text(), "8");
    EXPECT_EQ(h.form->EdLSHeight->text(), "6");
    EXPECT_EQ(h.cell(2, 1), "two.gif(2)");
    EXPECT_TRUE(h.reporter.messages.empty());

    // A new delay for both frames reaches the engine's control blocks.
    h.form->selectGridRows(1, 2);
    h.form->SGImagesClick();
    h.form->EDelay->setText("42");
    emit h.form->EDelay->textEdited("42");
    h.form->BtnUpdateClick();
    const gifengine::GifEngine& engine = h.engine();
    EXPECT_EQ(engine.frames[0].delay(), 42);
    EXPECT_EQ(engine.frames[1].delay(), 42);

    // A file that is not a GIF is reported by the engine through the window's prompter.
    QFile bad(h.path("bad.gif"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    h.form->addPath(h.path("bad.gif"));
    EXPECT_EQ(h.engine().frames.count(), 2);
    ASSERT_EQ(h.reporter.messages.size(), 1u);
    EXPECT_TRUE(h.reporter.messages[0].text.endsWith(" は、GIFファイルではありません"));
}

TEST(EngineWindow, SplitWritesNumberedSingleImageFilesThatDecodeLikeTheSource) {
    EngineHarness h;
    h.form->addPath(h.writeGif("anim.gif", 3));
    h.chooser.saveAnswer = h.path("clip.gif");
    h.form->MenuDisAssembleClick();
    const gifengine::testing::DecodedGif source = decodeFile(h.path("anim.gif"));
    ASSERT_EQ(source.images.size(), 3u);
    for (int k = 1; k <= 3; ++k) {
        const QString name = h.path(QStringLiteral("clip00%1.gif").arg(k));
        ASSERT_TRUE(QFile::exists(name)) << name.toStdString();
        const gifengine::testing::DecodedGif one = decodeFile(name);
        ASSERT_EQ(one.images.size(), 1u);
        EXPECT_EQ(one.images[0].indices, source.images[size_t(k - 1)].indices);
        EXPECT_EQ(one.images[0].rgb, source.images[size_t(k - 1)].rgb);
    }
    EXPECT_FALSE(QFile::exists(h.path("clip004.gif")));
    ASSERT_EQ(h.chooser.requests.size(), 1u);
    EXPECT_EQ(h.chooser.requests[0].title, "ファイル作成");
    EXPECT_EQ(h.chooser.requests[0].filter, "GIFﾌｧｲﾙ (*.gif)");
}

TEST(EngineWindow, ImageListWritesTheWorkFilesAndOpensThePageInTheBrowser) {
    EngineHarness h;
    for (const QString& mime : htmlMimeTypes()) h.associations.commands[mime] = QStringLiteral("browser %1");
    h.form->addPath(h.writeGif("anim.gif", 2));
    h.form->MenuShowImageClick();
    const QString work = h.form->settings().workDir;
    for (const char* name : {"__tmp.gif", "__tmp1.gif", "__tmp2.gif", "__tmp.htm"})
        EXPECT_TRUE(QFile::exists(work + "/" + name)) << name;
    EXPECT_EQ(decodeFile(work + "/__tmp.gif").images.size(), 2u);
    ASSERT_EQ(h.launcher.started.size(), 1u);
    EXPECT_TRUE(h.launcher.started[0].join(' ').contains("__tmp.htm"));
}

// A link placed in the work folder where a scratch file goes is replaced by the
// scratch file; the file it names is never written.
TEST(EngineWindow, ScratchFilesNeverWriteThroughALinkInTheWorkFolder) {
    const std::pair<QStringList, std::function<void(EngineHarness&)>> commands[] = {
        {{"__tmp.gif"},
         [](EngineHarness& h) {
             h.form->MenuSetViewerClick();
             h.form->MenuViewerClick();
         }},
        {{"editing.gif"},
         [](EngineHarness& h) {
             h.form->MenuSetPaintClick();
             h.form->selectGridRows(1, 1);
             h.form->MenuExecPaintClick();
         }},
        {{"__tmp.gif", "__tmp1.gif", "__tmp.htm"}, [](EngineHarness& h) { h.form->MenuShowImageClick(); }},
    };
    for (const auto& [scratches, run] : commands) {
        SCOPED_TRACE(scratches.join(' ').toStdString());
        EngineHarness h;
        h.form->addPath(h.writeGif("anim.gif", 2));
        h.chooser.openAnswer = "/usr/bin/program";
        const QString victim = h.writeGif("precious.gif");
        for (const QString& scratch : scratches)
            ASSERT_TRUE(QFile::link(victim, h.form->settings().workDir + "/" + scratch));
        run(h);
        EXPECT_TRUE(h.reporter.messages.empty());
        EXPECT_EQ(gifengine::testing::ReadFile(victim.toStdString()),
                  gifengine::testing::ReadFile(h.writeGif("again.gif").toStdString()));
        for (const QString& scratch : scratches)
            EXPECT_FALSE(QFileInfo(h.form->settings().workDir + "/" + scratch).isSymLink()) << scratch.toStdString();
    }
}

namespace {

// A one-image file whose 16-entry table holds 00FF00 at the given entries only.
QString writeTableGif(EngineHarness& h, const QString& name, int seed, std::initializer_list<int> greenAt) {
    std::vector<gifengine::testing::Colour> table = gifengine::testing::MakePalette(4, seed);
    for (gifengine::testing::Colour& c : table)
        if (c.r == 0 && c.g == 0xFF && c.b == 0) c.b = 1;
    for (int k : greenAt) table[size_t(k)] = {0, 0xFF, 0};
    gifengine::testing::Image image = gifengine::testing::PatternImage(8, 6, 16, seed);
    image.control = gifengine::testing::Control{0, false, true, 1, 10};
    gifengine::testing::GifBuilder builder;
    builder.screen(8, 6).globalTable(table).image(image);
    const QString p = h.path(name);
    EXPECT_TRUE(gifengine::testing::WriteFile(p.toStdString(), builder.bytes()));
    return p;
}

}  // namespace

TEST(EngineWindow, TransparentColourChosenInTheDialogIsAppliedByThePanel) {
    EngineHarness h;
    h.form->addPath(writeTableGif(h, "a.gif", 1, {2}));
    h.form->addPath(writeTableGif(h, "b.gif", 2, {5, 9}));
    h.form->addPath(writeTableGif(h, "c.gif", 3, {}));
    ASSERT_EQ(h.engine().frames.count(), 3);
    h.form->selectGridRows(1, 3);
    h.form->SGImagesClick();
    ASSERT_EQ(h.form->panelShown().transIndex, 1);

    // Cancel: a choice made in the dialog leaves the panel as it was.
    TTransColForm* dialog = nullptr;
    h.form->setDialogRunner([&](QDialog& shown) {
        dialog = qobject_cast<TTransColForm*>(&shown);
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->RBIndex->isHidden());
        emit dialog->grid->swatchClicked(7);
        dialog->RBIndex->click();
        dialog->BtnCancel->click();
    });
    h.form->BtnTrans->click();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(h.form->panelPending().transIndex, 1);
    EXPECT_EQ(h.form->LTransIndex->text(), "1");

    // By colour: the first frame's green entry becomes the pending colour.
    TTransColForm* again = nullptr;
    h.form->setDialogRunner([&](QDialog& shown) {
        again = qobject_cast<TTransColForm*>(&shown);
        emit again->grid->swatchClicked(2);
        again->RBColor->click();
        again->BtnUpdate->click();
    });
    h.form->BtnTrans->click();
    EXPECT_EQ(again, dialog) << "the dialog is made once for the run";
    EXPECT_EQ(h.form->panelPending().transIndex, -1);
    EXPECT_EQ(h.form->panelPending().transColour, 0x00FF00);
    EXPECT_EQ(h.form->LTransIndex->text(), "");
    EXPECT_EQ(h.form->LTransColor->text(), "00FF00");
    EXPECT_TRUE(h.form->LTransColor->styleSheet().contains("red"));

    // The panel's update gives each frame its first green entry; c.gif has none.
    h.form->BtnUpdateClick();
    const gifengine::GifEngine& engine = h.engine();
    EXPECT_EQ(engine.frames[0].transparentIndex(), 2);
    EXPECT_EQ(engine.frames[1].transparentIndex(), 5);
    EXPECT_EQ(engine.frames[2].transparentIndex(), 1);
    EXPECT_FALSE(h.form->LTransColor->styleSheet().contains("red"));
}

TEST(EngineWindow, TransparentColourDialogNeedsASelectedBlock) {
    EngineHarness h;
    h.form->addPath(writeTableGif(h, "a.gif", 1, {2}));
    bool opened = false;
    h.form->setDialogRunner([&](QDialog&) { opened = true; });
    h.form->BtnTrans->click();
    EXPECT_FALSE(opened);
}

TEST(EngineWindow, ColourTableEditorConfirmedTurnsGlobalFramesLocalAndAsksForANewGlobalTable) {
    EngineHarness h;
    h.form->addPath(h.writeGif("two.gif", 2));
    ASSERT_EQ(h.cell(1, 7), "ｸﾞﾛｰﾊﾞﾙ");
    h.form->selectGridRows(1, 2);
    bool shown = false;
    h.form->setDialogRunner([&](QDialog& dialog) {
        auto* editor = qobject_cast<TColorEditForm*>(&dialog);
        ASSERT_NE(editor, nullptr);
        shown = true;
        editor->BtnUpdate->click();
    });
    h.form->BtnColorEdit->click();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(h.engine().frames[0].usesGlobalTable);
    EXPECT_EQ(h.cell(1, 7), "ﾛｰｶﾙ");
    EXPECT_EQ(h.cell(2, 7), "ﾛｰｶﾙ");
    ASSERT_EQ(h.reporter.messages.size(), 1u);
    EXPECT_EQ(h.reporter.messages[0].caption, "Reelwright:注意");
    EXPECT_EQ(h.reporter.messages[0].text,
              "カラーテーブルが変更されたためグローバルカラーテーブルの指定を行ってください");
}

TEST(EngineWindow, EditedFileReplacesTheSelectedFrameKeepingItsDelayAndDisposal) {
    EngineHarness h;
    h.form->addPath(h.writeGif("anim.gif", 3));
    h.form->selectGridRows(2, 2);
    h.form->SGImagesClick();
    h.form->EDelay->setText("33");
    emit h.form->EDelay->textEdited("33");
    h.form->CBDisposal->setCurrentIndex(2);
    emit h.form->CBDisposal->activated(2);
    h.form->BtnUpdateClick();
    const gifengine::FrameList& frames = h.engine().frames;
    const std::vector<uint8_t> firstRaster = frames[0].raster;
    const std::vector<uint8_t> lastRaster = frames[2].raster;

    // The paint program saved another picture, with its own delay and disposal.
    gifengine::testing::Image edited = gifengine::testing::PatternImage(8, 6, 16, 9);
    edited.control = gifengine::testing::Control{1, false, false, 0, 7};
    const QString editing = h.form->settings().workDir + "/editing.gif";
    ASSERT_TRUE(
        gifengine::testing::WriteFile(editing.toStdString(), gifengine::testing::GifBuilder()
                                                                 .screen(8, 6)
                                                                 .globalTable(gifengine::testing::MakePalette(4, 3))
                                                                 .image(edited)
                                                                 .bytes()));
    h.reporter.messages.clear();

    h.form->selectGridRows(1, 2);
    h.form->MenuReplaceImageClick();
    ASSERT_EQ(h.reporter.messages.size(), 1u);
    EXPECT_EQ(h.reporter.messages[0].text, "置き換える画像を１つだけ選択してください");
    EXPECT_EQ(frames.count(), 3);

    h.form->selectGridRows(2, 2);
    h.form->MenuReplaceImageClick();
    ASSERT_EQ(frames.count(), 3);
    gifengine::testing::RecordingReporter quiet;
    gifengine::GifEngine source(quiet);
    ASSERT_EQ(source.LoadGifFile(editing.toStdString()), 0);
    EXPECT_EQ(frames[1].raster, source.frames[0].raster);
    EXPECT_EQ(frames[1].delay(), 33);
    EXPECT_EQ(frames[1].disposal(), 2);
    EXPECT_EQ(frames[1].pathText(), "Edited");
    EXPECT_EQ(frames[1].name(), "Edited");
    EXPECT_EQ(frames[0].raster, firstRaster);
    EXPECT_EQ(frames[2].raster, lastRaster);
    EXPECT_EQ(h.cell(2, 1).left(6), "Edited");
}
