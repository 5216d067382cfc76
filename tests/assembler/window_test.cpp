#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "assembler/window/file_browser.h"
#include "assembler/window/image_form.h"
#include "form_harness.h"

using namespace flikkor;
using namespace flikkor::testing;

namespace {

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("GIF89a");
}

// A main window over fake services and the real engine, started in a temporary folder.
struct Harness : FormHarness {
    // Appends one frame a file with the given delays, in order.
    void frames(std::vector<int> delays) {
        for (size_t i = 0; i < delays.size(); ++i) {
            form->selectGridRows(engine().frames.count() + 1, engine().frames.count() + 1);
            form->addPath(writeGif(QStringLiteral("f%1.gif").arg(i), 1, {delays[i]}));
        }
    }
};

}  // namespace

// The work folder of a first start is Flikkor's own in the user's cache folder,
// made with its missing parents, each for the user alone; the start folder stays empty.
TEST(Startup, FirstStartCreatesWorkFolderInTheCacheAndStoresSevenValuesWithoutDialog) {
    Harness h;
    h.open();
    EXPECT_TRUE(QDir(h.dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    ASSERT_TRUE(h.store.stored.has_value());
    EXPECT_EQ(h.store.writes, 1);
    EXPECT_EQ(h.store.stored->version, "0.68");
    EXPECT_EQ(h.store.stored->readDir, h.dir.path());
    EXPECT_EQ(h.store.stored->writeDir, h.dir.path());
    EXPECT_EQ(h.store.stored->workDir, h.defaultWorkFolder());
    for (const QString& made : {h.cache.path() + "/flikkor", h.defaultWorkFolder()}) {
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(made).constData(), &info), 0) << made.toStdString();
        EXPECT_EQ(info.st_mode & 07777, 0700u) << made.toStdString();
    }
    EXPECT_TRUE(h.workFolders.shown.empty());
    EXPECT_TRUE(h.reporter.messages.empty());
    // A later activation repeats nothing.
    h.form->FormActivate();
    EXPECT_EQ(h.store.writes, 1);
    EXPECT_TRUE(h.form->firstActivationDone());
}

// A stored work folder is kept (made again, silently, when it was removed); an
// empty one is replaced by the default.
TEST(Startup, StoredWorkFolderIsKeptAndAnEmptyOneBecomesTheDefault) {
    const struct {
        const char* name;
        QString stored;
        QString expected;  // relative to the start folder, or the default when empty
    } cases[] = {{"stored", "Work", "Work"}, {"empty", "", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        const QString stored = c.stored.isEmpty() ? QString() : h.path(c.stored);
        h.store.stored = AssemblerSettings{"0.68", h.dir.path(), h.dir.path(), stored, "", "", ""};
        h.open();
        const QString expected = c.expected.isEmpty() ? h.defaultWorkFolder() : h.path(c.expected);
        EXPECT_EQ(h.form->settings().workDir, expected);
        EXPECT_TRUE(QFileInfo(expected).isDir());
        EXPECT_EQ(h.store.writes, 1);
        EXPECT_EQ(h.store.stored->workDir, expected);
        EXPECT_TRUE(h.workFolders.shown.empty());
    }
}

TEST(Startup, MissingParentShowsTheStartupDialogUntilACreatableFolderIsChosen) {
    Harness h;
    h.store.stored = AssemblerSettings{"0.68", h.dir.path(), h.dir.path(), h.path("gone/AnimTmp"), "", "", ""};
    h.workFolders.answers = {h.path("still/gone"), h.path("AnimTmp")};
    h.open();
    ASSERT_EQ(h.workFolders.shown.size(), 2u);
    EXPECT_TRUE(h.workFolders.shown[0].second);  // start-up texts
    EXPECT_EQ(h.form->settings().workDir, h.path("AnimTmp"));
    EXPECT_TRUE(QFileInfo(h.path("AnimTmp")).isDir());
    EXPECT_EQ(h.store.stored->workDir, h.path("AnimTmp"));
}

// Scratch files go into the work folder, so anyone who may write there could put a
// link in their place: another user's folder, or one open to others, is refused
// at start-up and when the folder is changed.
TEST(WorkFolder, AnotherUsersFolderOrOneOpenToOthersIsRefusedWithAMessage) {
    const QString ownedByOther = QStringLiteral("は他のユーザーのフォルダのため使用できません。");
    const QString openToOthers = QStringLiteral("は他のユーザーも書き込めるため使用できません。");
    struct Case {
        const char* name;
        mode_t mode;
        bool otherOwner;
        bool firstRun;
        QString why;
    };
    const Case cases[] = {
        {"everyone may write, first run", 0777, false, true, openToOthers},
        {"group may write, stored", 0770, false, false, openToOthers},
        {"another user's, first run", 0700, true, true, ownedByOther},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.otherOwner && ::geteuid() != 0) continue;  // only the administrator can give a folder away
        Harness h;
        const QString refused = c.firstRun ? h.defaultWorkFolder() : h.path("AnimTmp");
        ASSERT_TRUE(QDir().mkpath(refused));
        ASSERT_EQ(::chmod(QFile::encodeName(refused).constData(), c.mode), 0);
        if (c.otherOwner) {
            ASSERT_EQ(::chown(QFile::encodeName(refused).constData(), 65534, 65534), 0);
        }
        if (!c.firstRun) h.store.stored = AssemblerSettings{"0.68", h.dir.path(), h.dir.path(), refused, "", "", ""};
        h.workFolders.answers = {h.path("Mine")};
        h.open();
        const QString message = QStringLiteral("作業用フォルダ ") + refused + " " + c.why;
        ASSERT_EQ(h.reporter.messages.size(), 1u);
        EXPECT_EQ(h.reporter.messages[0].caption, "Reelwright:エラー");
        EXPECT_EQ(h.reporter.messages[0].text, message);
        ASSERT_EQ(h.workFolders.shown.size(), 1u);
        EXPECT_TRUE(h.workFolders.shown[0].second);  // with the start-up texts
        EXPECT_EQ(h.store.stored->workDir, h.path("Mine"));

        // Changing to it later is refused the same way; the work folder stays.
        const int writes = h.store.writes;
        h.workFolders.answers = {refused};
        h.form->MenuChgFoldClick();
        ASSERT_EQ(h.reporter.messages.size(), 2u);
        EXPECT_EQ(h.reporter.messages[1].text, message);
        EXPECT_EQ(h.form->settings().workDir, h.path("Mine"));
        EXPECT_EQ(h.store.writes, writes);
    }
}

TEST(Startup, VanishedBrowsingFolderLeavesTheStartFolderShown) {
    Harness h;
    QDir().mkdir(h.path("Work"));
    h.store.stored = AssemblerSettings{"0.68", h.path("vanished"), h.dir.path(), h.path("Work"), "", "", ""};
    h.open();
    EXPECT_EQ(h.form->browser().folder(), h.dir.path());
    EXPECT_TRUE(h.form->firstActivationDone());
    EXPECT_EQ(h.store.writes, 0);  // work folder present: nothing written
}

TEST(AddFiles, OnlyGifExtensionInAnyCaseIsLoadedSilently) {
    Harness h;
    h.open();
    for (const char* name : {"A.GiF", "a.gif.bak", "noext"}) h.writeGif(name);
    h.form->addPath(h.path("A.GiF"));
    h.form->addPath(h.path("a.gif.bak"));
    h.form->addPath(h.path("noext"));
    h.form->addPath(h.dir.path());
    ASSERT_EQ(h.engine().frames.count(), 1);
    EXPECT_EQ(h.engine().frames[0].name(), "A.GiF");
    EXPECT_TRUE(h.reporter.messages.empty());
    EXPECT_EQ(h.form->EdLSWidth->text(), "8");
}

TEST(AddFiles, FileListShowsGifsSortedAndEmptySelectionAddsNothing) {
    Harness h;
    for (const char* name : {"b.gif", "A.GIF", "c.txt", "a.gif.bak"}) touch(h.path(name));
    h.open();
    h.form->browser().refresh();
    ASSERT_EQ(h.form->FileListBox1->count(), 2);
    EXPECT_EQ(h.form->FileListBox1->item(0)->text(), "A.GIF");
    h.form->LFileSize->setText("untouched");
    h.form->BtnAddClick();
    EXPECT_TRUE(h.engine().frames.empty());
    EXPECT_EQ(h.form->LFileSize->text(), "untouched");
}

// More files than the list holds: one message with the number left out, and the
// numbered files in the order of their numbers.
TEST(AddFiles, BeyondTheListsLimitOneMessageSaysHowManyWereLeftOut) {
    Harness h;
    for (int k = 1; k <= 1003; ++k) h.writeGif(QStringLiteral("temp-%1.gif").arg(k));
    h.open();
    h.form->FileListBox1->selectAll();
    h.form->BtnAddClick();
    ASSERT_EQ(h.engine().frames.count(), 1000);
    EXPECT_EQ(h.engine().frames[999].name(), "temp-1000.gif");
    ASSERT_EQ(h.reporter.messages.size(), 1u);
    EXPECT_EQ(h.reporter.messages[0].text, "画像リストの上限(1000)に達したため、3個の画像を追加できませんでした");
}

TEST(Panel, EmptyListActionsChangeNothing) {
    Harness h;
    h.open();
    h.form->SGImagesClick();
    h.form->BtnCancelClick();
    h.form->BtnUpdateClick();
    QTest::keyClick(h.form->ELeft, Qt::Key_A, Qt::AltModifier);
    QTest::keyClick(h.form->ELeft, Qt::Key_Escape);
    EXPECT_EQ(h.form->panelShown().first, -1);
    EXPECT_TRUE(h.form->LSelectNo->text().isEmpty());
    EXPECT_TRUE(h.engine().frames.empty());
}

TEST(Panel, SelectionLabelsAndRangeIntoTheBlankRow) {
    Harness h;
    h.open();
    h.frames({1, 2, 3, 4, 5});
    h.form->selectGridRows(2, 4);
    h.form->SGImagesClick();
    EXPECT_EQ(h.form->LSelectNo->text(), "2 - 4");
    h.form->selectGridRows(3, 6);
    h.form->SGImagesClick();
    EXPECT_EQ(h.form->LSelectNo->text(), "3 - 5");
    EXPECT_EQ(h.form->panelShown().last, 4);
}

TEST(Panel, DifferingDelaysShowEmptyAndApplyOnlyWhatWasTyped) {
    Harness h;
    h.open();
    h.frames({10, 10, 20});
    h.form->selectGridRows(1, 3);
    h.form->SGImagesClick();
    EXPECT_TRUE(h.form->EDelay->text().isEmpty());
    h.form->BtnUpdateClick();
    EXPECT_EQ(h.delays(), (std::vector<int>{10, 10, 20}));
    QTest::keyClicks(h.form->EDelay, "15");
    EXPECT_EQ(h.form->EDelay->palette().color(QPalette::Text), QColor(Qt::red));
    QTest::keyClick(h.form->EDelay, Qt::Key_A, Qt::AltModifier);  // Alt+A applies
    EXPECT_EQ(h.delays(), (std::vector<int>{15, 15, 15}));
    EXPECT_EQ(h.form->EDelay->text(), "15");
    EXPECT_EQ(h.form->EDelay->palette().color(QPalette::Text), QColor(Qt::black));
}

TEST(Panel, LettersInLeftSetZeroAndEscapeDiscards) {
    Harness h;
    h.open();
    h.frames({10, 10});
    h.engine().frames[0].descriptor.left = 7;
    h.engine().frames[1].descriptor.left = 9;
    h.form->selectGridRows(1, 2);
    h.form->SGImagesClick();
    QTest::keyClicks(h.form->ETop, "33");
    QTest::keyClick(h.form->ETop, Qt::Key_Escape);
    EXPECT_EQ(h.engine().frames[0].descriptor.top, 0);
    EXPECT_TRUE(h.form->ETop->text() == "0");
    QTest::keyClicks(h.form->ELeft, "ab");
    h.form->BtnUpdateClick();
    EXPECT_EQ(h.engine().frames[0].descriptor.left, 0);
    EXPECT_EQ(h.engine().frames[1].descriptor.left, 0);
    EXPECT_EQ(h.engine().frames[1].delay(), 10);
}

TEST(Closing, FramesAndCancelKeepTheListThenOkSavesSettings) {
    Harness h;
    h.open();
    h.frames({10});
    h.form->show();
    h.reporter.answers = {MessageAnswer::Cancel};
    h.form->close();
    EXPECT_TRUE(h.form->isVisible());
    EXPECT_EQ(h.engine().frames.count(), 1);
    ASSERT_EQ(h.reporter.messages.size(), 1u);
    EXPECT_EQ(h.reporter.messages[0].caption, "Reelwright:確認");
    const int writes = h.store.writes;
    h.form->close();
    EXPECT_FALSE(h.form->isVisible());
    EXPECT_EQ(h.store.writes, writes + 1);
}

// Two windows: A saves into a new folder and closes; B, idle, closes later and
// keeps A's folder while writing back the viewer it registered.
TEST(Closing, EachWindowWritesBackOnlyWhatItChanged) {
    Harness h;
    h.open();
    FormServices services{
        &h.reporter, &h.chooser, &h.workFolders, &h.store, &h.associations, &h.launcher, [](QDialog& dialog) {
            dialog.reject();
        }};
    TImageForm other(services);
    other.FormActivate();
    other.show();
    h.form->show();

    h.frames({10});
    ASSERT_TRUE(QDir().mkdir(h.path("out")));
    h.chooser.saveAnswer = h.path("out/anim.gif");
    h.form->BtnMakeClick();
    ASSERT_TRUE(QFile::exists(h.path("out/anim.gif")));
    h.form->close();
    ASSERT_EQ(h.store.stored->writeDir, h.path("out"));

    h.chooser.openAnswer = "/usr/bin/viewer";
    other.MenuSetViewerClick();
    other.close();
    EXPECT_EQ(h.store.stored->writeDir, h.path("out"));
    EXPECT_EQ(h.store.stored->viewer, "/usr/bin/viewer");
}

TEST(Closing, DeleteSettingsEndsWithoutQuestionAndWithoutWriting) {
    Harness h;
    h.open();
    h.frames({10});
    h.form->show();
    const int writes = h.store.writes;
    h.form->MenuDelRegClick();  // the confirmation answers OK
    EXPECT_TRUE(h.store.removed);
    EXPECT_FALSE(h.form->isVisible());
    EXPECT_EQ(h.store.writes, writes);
    EXPECT_EQ(h.reporter.messages.size(), 1u);  // only the confirmation
}

TEST(Programs, PagesAndFoldersOpenWithTheirTypesHandlerElseWithTheSystemOpenerElseAMessage) {
    struct Row {
        const char* name;
        std::map<QString, QString> associations;
        bool startable;
        bool folder;                // the file manager button instead of the help page
        QStringList expectedStart;  // "%t" stands for the target
        bool systemOpenerFails;
    };
    const Row rows[] = {
        {"registered browser",
         {{"application/xhtml+xml", "\"/opt/web/run\" \"--url=%1\""}},
         true,
         false,
         {"/opt/web/run", "--url=%t"},
         false},
        {"no browser: the system opener", {}, true, false, {"xdg-open", "%t"}, false},
        {"the system opener finds nothing: a message", {}, true, false, {"xdg-open", "%t"}, true},
        {"the system opener as the association", {{"text/html", "xdg-open %1"}}, true, false, {"xdg-open", "%t"}, true},
        {"browser that cannot start", {{"text/html", "web %1"}}, false, false, {"xdg-open", "%t"}, false},
        {"no file manager", {}, true, true, {"xdg-open", "%t"}, true},
        {"registered file manager",
         {{"inode/directory", "files --new %1"}},
         true,
         true,
         {"files", "--new", "%t"},
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Harness h;
        h.open();
        touch(h.path("flikkor.htm"));
        h.associations.commands = row.associations;
        h.launcher.startable = row.startable;
        const QString target = row.folder ? h.form->browser().folder() : h.path("flikkor.htm");
        if (row.folder)
            h.form->MenuExprolerClick();
        else
            h.form->MenuDocumentClick();
        QStringList expected = row.expectedStart;
        expected.replaceInStrings("%t", target);
        ASSERT_EQ(h.launcher.started.size(), 1u);
        EXPECT_EQ(h.launcher.started[0], expected);
        EXPECT_TRUE(h.reporter.messages.empty());
        if (!row.systemOpenerFails) continue;
        ASSERT_EQ(h.launcher.watchedFailures.size(), 1u);
        h.launcher.watchedFailures[0]();
        ASSERT_EQ(h.reporter.messages.size(), 1u);
        EXPECT_EQ(h.reporter.messages[0].caption, "Reelwright:エラー");
        EXPECT_EQ(h.reporter.messages[0].text, "「" + target + "」を開くプログラムが見つかりません。");
    }
}

TEST(Programs, RegistrationProposesTheGifProgramOnlyWhenTheStoredOneIsGone) {
    Harness h;
    h.open();
    h.associations.commands["image/gif"] = "\"/opt/Gif View/view\" %1";
    h.reporter.answers = {MessageAnswer::Yes};
    h.chooser.openAnswer = "/usr/bin/viewer";
    h.form->MenuSetViewerClick();
    ASSERT_EQ(h.chooser.requests.size(), 1u);
    EXPECT_EQ(h.chooser.requests[0].fileName, "/opt/Gif View/view");
    EXPECT_EQ(h.form->settings().viewer, "/usr/bin/viewer");
    // The registered viewer is gone: the question comes again; answering No keeps "*.exe".
    h.reporter.answers = {MessageAnswer::No};
    const QString self = QCoreApplication::applicationFilePath();
    h.chooser.openAnswer = self;
    h.form->MenuSetViewerClick();
    EXPECT_EQ(h.chooser.requests.back().fileName, "*.exe");
    EXPECT_EQ(h.chooser.requests.back().folder, h.form->startFolder());
    EXPECT_EQ(h.reporter.messages.size(), 2u);
    // The stored program still exists: no question, the dialog opens on it; cancel keeps it.
    h.chooser.openAnswer = std::nullopt;
    h.form->MenuSetViewerClick();
    EXPECT_EQ(h.chooser.requests.back().fileName, self);
    EXPECT_EQ(h.reporter.messages.size(), 2u);
    EXPECT_EQ(h.form->settings().viewer, self);
}

TEST(Layout, ContextMenuOrderAndHiddenDebugItem) {
    Harness h;
    h.open();
    QStringList names;
    for (QAction* a : h.form->contextMenu()->actions())
        names << (a->isSeparator() ? QStringLiteral("-") : a->objectName().isEmpty() ? a->text() : a->objectName());
    EXPECT_EQ(names, (QStringList{"MenuViewer",
                                  "MenuBrows",
                                  "MenuShowImage",
                                  "MenuExproler",
                                  "MenuHTMLIMG",
                                  "-",
                                  "MenuColorEdit",
                                  "MenuCTAnim",
                                  "MenuGCClear",
                                  "-",
                                  "MenuDisAssemble",
                                  "-",
                                  "MenuExecPaint",
                                  "MenuReplaceImage",
                                  "-",
                                  "登録情報操作",
                                  "-",
                                  "MenuDocument",
                                  "MenuAbout",
                                  "REDISPLAY"}));
    EXPECT_FALSE(h.form->REDISPLAY->isVisible());
    EXPECT_EQ(h.form->size(), QSize(482, 314));
    h.form->resize(400, 200);
    EXPECT_EQ(h.form->size(), QSize(482, 314));
}
