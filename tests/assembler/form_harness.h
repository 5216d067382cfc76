#pragma once
// A main window over the real GIF engine with recorded and scripted services,
// started in a temporary folder that is the current folder for the test's life;
// the user's cache folder ($XDG_CACHE_HOME) is another temporary folder.
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "assembler/window/image_form.h"
#include "fake_services.h"
#include "gif_builder.h"

namespace flikkor::testing {

struct FormHarness {
    QTemporaryDir dir;
    QTemporaryDir cache;
    QString savedCurrent = QDir::currentPath();
    RecordingReporter reporter;
    ScriptedFileChooser chooser;
    ScriptedWorkFolderChooser workFolders;
    MemorySettingsStore store;
    FixedAssociations associations;
    Associations* desktop = &associations;  // the associations the window asks
    RecordingLauncher launcher;
    std::unique_ptr<TImageForm> form;
    QStringList unscriptedDialogs;
    StartRequest start;  // what the command line asked for
    QByteArray savedCache = qgetenv("XDG_CACHE_HOME");

    FormHarness() {
        QDir::setCurrent(dir.path());
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    }
    ~FormHarness() {
        form.reset();
        QDir::setCurrent(savedCurrent);
        if (savedCache.isNull())
            qunsetenv("XDG_CACHE_HOME");
        else
            qputenv("XDG_CACHE_HOME", savedCache);
    }
    // Creates the window and runs its first activation.
    void open() {
        // A dialog no test scripted is recorded and cancelled instead of waiting for a user.
        auto unscripted = [this](QDialog& dialog) {
            unscriptedDialogs << dialog.metaObject()->className();
            dialog.reject();
        };
        FormServices s{&reporter, &chooser, &workFolders, &store, desktop, &launcher, unscripted};
        form = std::make_unique<TImageForm>(s);
        form->setStartRequest(start);
        form->FormActivate();
    }
    gifengine::GifEngine& engine() { return form->engine(); }
    QString path(const QString& name) const { return dir.path() + "/" + name; }
    // The work folder of a first start.
    QString defaultWorkFolder() const { return cache.path() + "/flikkor/AnimTmp"; }
    // A file of `images` 8 x 6 images sharing one 16-colour global table; image k
    // has delay delays[k] (10 when not given).
    QString writeGif(const QString& name, int images = 1, std::vector<int> delays = {}) {
        gifengine::testing::GifBuilder builder;
        builder.screen(8, 6).globalTable(gifengine::testing::MakePalette(4));
        for (int k = 0; k < images; ++k) {
            gifengine::testing::Image image = gifengine::testing::PatternImage(8, 6, 16, k);
            const int delay = size_t(k) < delays.size() ? delays[size_t(k)] : 10;
            image.control = gifengine::testing::Control{1, false, false, 0, uint16_t(delay)};
            builder.image(image);
        }
        const QString p = path(name);
        gifengine::testing::WriteFile(p.toStdString(), builder.bytes());
        return p;
    }
    // Delays of the frames in list order.
    std::vector<int> delays() {
        std::vector<int> out;
        for (int i = 0; i < engine().frames.count(); ++i) out.push_back(engine().frames[i].delay());
        return out;
    }
};

}  // namespace flikkor::testing
