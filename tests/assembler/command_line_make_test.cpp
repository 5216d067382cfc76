// flikkor --make and --size against the window: the same files added at the
// start, the same delay typed into the panel over every frame and the same
// repeat count, then the make button, give the same bytes and the same messages.
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <sstream>

#include "form_harness.h"
#include "gif_builder.h"
#include "gifengine/engine_jobs.h"

using namespace flikkor;
using namespace flikkor::testing;

namespace {

struct Settings {
    std::optional<int> delay;
    std::optional<int> loop;
};

// The window's make of the files, as the user would do it: the file it wrote.
QByteArray MakeInWindow(FormHarness& h, const std::vector<std::string>& files, const Settings& settings) {
    h.start.files = files;
    h.open();
    const int frames = h.engine().frames.count();
    if (settings.delay) {
        h.form->selectGridRows(1, frames);
        h.form->SGImagesClick();
        const QString typed = QString::number(*settings.delay);
        h.form->EDelay->setText(typed);
        emit h.form->EDelay->textEdited(typed);
        h.form->BtnUpdateClick();
    }
    if (settings.loop) h.form->EdIteration->setText(QString::number(*settings.loop));
    h.chooser.saveAnswer = h.path("window.gif");
    h.form->BtnMakeClick();
    QFile made(h.path("window.gif"));
    return made.open(QIODevice::ReadOnly) ? made.readAll() : QByteArray();
}

}  // namespace

TEST(CommandLineMake, WritesTheWindowsAnimationWithTheWindowsMessages) {
    const std::string suite = FLIKKOR_GIF_SUITE;
    const struct {
        std::vector<std::string> suiteFiles;  // under the shared GIF suite
        Settings settings;
    } cases[] = {
        {{}, {}},
        {{}, {4, 3}},
        // Comments, a GIF87a file, tables of other sizes, restore-previous and images outside the screen.
        {{"pygif/comment.gif", "pygif/gif87a.gif", "pygif/depth1.gif", "pygif/dispose-restore-previous.gif",
          "pygif/image-outside-bg.gif", "pillow/dispose_bgnd.gif"},
         {9, 0}},
        {{"pygif/animation.gif", "pygif/depth8.gif", "pillow/different_transparency.gif"}, {{}, 65535}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.suiteFiles.empty() ? "built files" : c.suiteFiles.front());
        FormHarness h;
        std::vector<std::string> files;
        if (c.suiteFiles.empty()) {
            files = {h.writeGif("three.gif", 3, {5, 6, 7}).toStdString(), h.writeGif("one.gif").toStdString()};
        } else if (!QFile::exists(QString::fromStdString(suite))) {
            GTEST_SKIP() << "no GIF suite at " << suite;
        }
        for (const std::string& name : c.suiteFiles) files.push_back(suite + "/" + name);
        const QByteArray window = MakeInWindow(h, files, c.settings);
        ASSERT_FALSE(window.isEmpty());
        std::string shown;
        for (const auto& message : h.reporter.messages) shown += "flikkor: " + message.text.toStdString() + "\n";
        std::erase(shown, '\r');

        const std::string output = h.path("command-line.gif").toStdString();
        std::ostringstream out, err;
        const gifengine::MakeJob job{files, output, c.settings.delay, c.settings.loop, false};
        EXPECT_EQ(gifengine::RunEngineJob(job, "flikkor", out, err), 0);
        EXPECT_EQ(err.str(), shown);
        const std::vector<uint8_t> written = gifengine::testing::ReadFile(output);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(written.data()), qsizetype(written.size())), window);

        gifengine::MakeJob sizeOnly = job;
        sizeOnly.output = h.path("not-written.gif").toStdString();
        sizeOnly.sizeOnly = true;
        std::ostringstream size, sizeErr;
        EXPECT_EQ(gifengine::RunEngineJob(sizeOnly, "flikkor", size, sizeErr), 0);
        EXPECT_EQ(size.str(), std::to_string(window.size()) + "\n");
        EXPECT_FALSE(QFile::exists(QString::fromStdString(sizeOnly.output)));
    }
}
