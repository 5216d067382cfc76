// What Flikkor's command line asks of the window: GIF files added as the add
// command adds them, or a folder browsed for one run.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QTableView>

#include "assembler/window/file_browser.h"
#include "form_harness.h"

using namespace flikkor;
using namespace flikkor::testing;

TEST(StartRequest, GifFilesAreAddedInOrderWithTheAddCommandsMessages) {
    FormHarness h;
    h.start.files = {h.writeGif("b.gif").toStdString(), h.writeGif("a.gif").toStdString()};
    h.open();
    ASSERT_EQ(h.engine().frames.count(), 2);
    EXPECT_EQ(h.engine().frames[0].name(), "b.gif");
    EXPECT_EQ(h.engine().frames[1].name(), "a.gif");
    EXPECT_EQ(h.form->SGImages->model()->rowCount(), 3);  // two frames and the blank row
    EXPECT_FALSE(h.form->LFileSize->text().isEmpty());
    EXPECT_TRUE(h.reporter.messages.empty());

    // A file that cannot be read says what an add of it says.
    const auto shown = [](FormHarness& harness) {
        QStringList messages;
        for (const auto& message : harness.reporter.messages)
            messages << message.caption + ": " + QString(message.text).replace(harness.dir.path(), "DIR");
        return messages;
    };
    FormHarness added;
    added.open();
    added.form->addFiles({added.path("missing.gif")});
    FormHarness started;
    started.start.files = {started.path("missing.gif").toStdString()};
    started.open();
    EXPECT_FALSE(shown(added).isEmpty());
    EXPECT_EQ(shown(started), shown(added));
    EXPECT_EQ(started.engine().frames.count(), 0);
}

TEST(StartRequest, AFolderIsListedForThisRunAndTheRememberedOneIsKept) {
    FormHarness h;
    ASSERT_TRUE(QDir(h.dir.path()).mkpath("remembered"));
    ASSERT_TRUE(QDir(h.dir.path()).mkpath("animation"));
    h.writeGif("animation/temp-2.gif");
    h.writeGif("animation/temp-10.gif");
    h.writeGif("remembered/other.gif");
    h.store.stored = AssemblerSettings{"0.68", h.path("remembered"), h.dir.path(), h.path("Work"), "", "", ""};
    h.start.folder = h.path("animation").toStdString();
    h.open();
    EXPECT_EQ(h.form->browser().folder(), h.path("animation"));
    ASSERT_EQ(h.form->FileListBox1->count(), 2);
    EXPECT_EQ(h.form->FileListBox1->item(0)->text(), "temp-2.gif");
    EXPECT_EQ(h.form->FileListBox1->item(1)->text(), "temp-10.gif");

    h.form->close();
    EXPECT_EQ(h.store.stored->readDir, h.path("remembered"));
}
