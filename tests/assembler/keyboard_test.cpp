// The viewer's GIF export drives the assembler only by keys sent to whatever widget
// has the focus. This test replays exactly that key script against a real window with
// its real message boxes and save dialog, over the real GIF engine.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "assembler/window/image_form.h"
#include "assembler/window/qt_dialogs.h"
#include "fake_services.h"
#include "gif_builder.h"
#include "recording_reporter.h"

using namespace flikkor;
using namespace flikkor::testing;

namespace {

struct KeyStep {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString text;  // typed instead of a key when set
};

std::vector<KeyStep> exportKeyScript() {
    std::vector<KeyStep> s;
    auto key = [&](Qt::Key k, int times = 1, Qt::KeyboardModifiers m = Qt::NoModifier) {
        for (int i = 0; i < times; ++i) s.push_back({k, m, {}});
    };
    key(Qt::Key_Tab);
    key(Qt::Key_Down);
    key(Qt::Key_Up);
    key(Qt::Key_Down, 8, Qt::ShiftModifier);
    key(Qt::Key_Tab, 7);
    key(Qt::Key_Return);
    key(Qt::Key_Tab, 8);
    key(Qt::Key_Return);
    key(Qt::Key_Tab);
    key(Qt::Key_Return);
    s.push_back({Qt::Key_unknown, Qt::NoModifier, QStringLiteral("tempanim.gif")});
    key(Qt::Key_Return);
    key(Qt::Key_F4, 1, Qt::AltModifier);
    key(Qt::Key_Return);
    return s;
}

// Sends one step at a time to the focused widget, each from the event loop, so that
// steps reach modal dialogs the same way as outside keystrokes would.
class KeyPlayer : public QObject {
public:
    explicit KeyPlayer(std::vector<KeyStep> steps) : steps_(std::move(steps)) {}
    QStringList focusTrail;  // object name of the focus widget before each step
    bool done() const { return next_ >= steps_.size(); }
    void start() {
        QTimer::singleShot(50, this, [this] { step(); });
    }

private:
    void step() {
        // Keys go to the focused widget once the window that should have the keyboard
        // (an open dialog, else the main window) has taken it, as with a real keyboard.
        QWidget* target = QApplication::focusWidget();
        QWidget* modal = QApplication::activeModalWidget();
        const bool settled = target != nullptr && (modal == nullptr || modal->isAncestorOf(target));
        if (!settled) {
            QTimer::singleShot(20, this, [this] { step(); });
            return;
        }
        const KeyStep s = steps_[next_++];
        focusTrail << target->objectName();
        // The next step is due before this one runs: a key may open a modal dialog whose
        // own loop then delivers the following keys.
        if (!done()) QTimer::singleShot(30, this, [this] { step(); });
        if (!s.text.isEmpty())
            QTest::keyClicks(target, s.text);
        else
            QTest::keyClick(target, s.key, s.modifiers);
    }
    std::vector<KeyStep> steps_;
    size_t next_ = 0;
};

}  // namespace

TEST(KeyboardInterface, ExportKeyScriptAddsAllFilesMakesTempanimAndEnds) {
    QTemporaryDir dir;
    const QString saved = QDir::currentPath();
    // Three frames as the viewer's converter writes them: one picture each, the
    // drawing palette as global table.
    const std::vector<gifengine::testing::Colour> palette = gifengine::testing::MakePalette(4);
    int shade = 0;
    for (const char* name : {"temp-102.gif", "temp-101.gif", "temp-103.gif"}) {
        gifengine::testing::Image image;
        image.width = 12;
        image.height = 8;
        for (int p = 0; p < 96; ++p) image.pixels.push_back(uint8_t((p / 7 + shade) % 16));
        ++shade;
        const std::vector<uint8_t> bytes =
            gifengine::testing::GifBuilder().screen(12, 8).globalTable(palette).image(image).bytes();
        QFile f(dir.path() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    }
    QDir().mkdir(dir.path() + "/AnimTmp");
    MemorySettingsStore store;
    store.stored = AssemblerSettings{"0.68", dir.path(), dir.path(), dir.path() + "/AnimTmp", "", "", ""};
    ScriptedWorkFolderChooser workFolders;
    FixedAssociations associations;
    RecordingLauncher launcher;
    FormServices services{nullptr, nullptr, &workFolders, &store, &associations, &launcher, ExecDialog};
    auto form = std::make_unique<TImageForm>(services);
    QtReporter messages(form.get());
    QtFileChooser chooser(form.get());
    services.reporter = &messages;
    services.fileChooser = &chooser;
    form->setServices(services);

    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::qWait(20);
    ASSERT_TRUE(form->firstActivationDone());
    EXPECT_EQ(QApplication::focusWidget()->parentWidget(), form->PageControl1);  // its tab bar
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabFileList);
    ASSERT_EQ(form->FileListBox1->count(), 3);

    KeyPlayer player(exportKeyScript());
    player.start();
    // A dialog left open would hold the test inside its own loop: close it after a while.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        ADD_FAILURE() << "still open; focus trail: " << player.focusTrail.join(' ').toStdString();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                fprintf(stderr, "visible: %s %s\n", w->metaObject()->className(), qPrintable(w->objectName()));
        if (auto* e = QApplication::focusWidget()) fprintf(stderr, "focus %s\n", qPrintable(e->objectName()));
        if (auto* le = qApp->findChild<QLineEdit*>("fileNameEdit"))
            fprintf(stderr, "name %s\n", qPrintable(le->text()));
        for (auto* le : form->findChildren<QLineEdit*>("fileNameEdit"))
            fprintf(stderr, "name %s\n", qPrintable(le->text()));
        while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    watchdog.start(15000);
    QTRY_VERIFY_WITH_TIMEOUT(player.done() && !form->isVisible(), 20000);

    // No window is left open, so the application's event loop ends.
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
    EXPECT_TRUE(form->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_TRUE(QGuiApplication::quitOnLastWindowClosed());
    SCOPED_TRACE(player.focusTrail.join(' ').toStdString());
    SCOPED_TRACE(QDir(dir.path()).entryList().join(' ').toStdString() + " | " + form->lastMadeFile().toStdString());
    EXPECT_EQ(form->engine().frames.count(), 0);  // the records are given back when the window closes
    // The made file is exactly what the engine writes from the three files in name order.
    gifengine::testing::RecordingReporter reporter;
    gifengine::GifEngine engine(reporter);
    for (const char* name : {"temp-101.gif", "temp-102.gif", "temp-103.gif"}) {
        engine.frames.cursor.currentRow = engine.frames.count() + 1;
        ASSERT_EQ(engine.LoadGifFile((dir.path() + "/" + name).toStdString()), 0);
    }
    const QString expectedPath = dir.path() + "/expected.gif";
    ASSERT_EQ(engine.MakeAnimatedGif(expectedPath.toStdString()), 1);
    QFile made(dir.path() + "/tempanim.gif"), expected(expectedPath);
    ASSERT_TRUE(made.open(QIODevice::ReadOnly));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    const QByteArray madeBytes = made.readAll();
    EXPECT_GT(madeBytes.size(), 100);
    EXPECT_EQ(madeBytes, expected.readAll());
    EXPECT_EQ(form->lastMadeFile(), dir.path() + "/tempanim.gif");
    // The buttons pressed by Enter, in order.
    ASSERT_EQ(player.focusTrail.size(), 34);
    EXPECT_EQ(player.focusTrail[18], "BtnAdd");
    EXPECT_EQ(player.focusTrail[27], "BtnAllSelect");
    EXPECT_EQ(player.focusTrail[29], "BtnMake");
    EXPECT_EQ(player.focusTrail[30], "fileNameEdit");
    form.reset();
    QDir::setCurrent(saved);
}
