// The main window over the real GIF engine: loading real files, the parameter panel
// writing into the records, and the commands that hand the records to the web tools.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include "fake_session.h"
#include "gif_builder.h"
#include "giflib_decode.h"
#include "gifengine/gif_engine.h"
#include "platform/associations.h"
#include "window/engine_session.h"
#include "window/image_form.h"

using namespace flikkor;
using namespace flikkor::testing;

namespace {

gif_test::DecodedGif decodeFile(const QString& path) {
  return gif_test::DecodeWithGiflib(gif_test::ReadFile(path.toStdString()));
}

struct EngineHarness {
  QTemporaryDir dir;
  QString savedCurrent = QDir::currentPath();
  RecordingPrompter prompter;
  ScriptedFileChooser chooser;
  ScriptedWorkFolderChooser workFolders;
  MemorySettingsStore store;
  FixedAssociations associations;
  RecordingLauncher launcher;
  EngineSession* session = nullptr;
  std::unique_ptr<TImageForm> form;

  EngineHarness() {
    QDir::setCurrent(dir.path());
    FormServices s{&prompter, &chooser, &workFolders, &store, &associations, &launcher};
    auto owned = std::make_unique<EngineSession>();
    session = owned.get();
    form = std::make_unique<TImageForm>(s, std::move(owned));
    form->FormActivate();
  }
  ~EngineHarness() {
    form.reset();
    QDir::setCurrent(savedCurrent);
  }
  QString path(const QString& name) const { return dir.path() + "/" + name; }
  // A file of `images` 8 x 6 images sharing one 16-colour global table.
  QString writeGif(const QString& name, int images) {
    gif_test::GifBuilder builder;
    builder.screen(8, 6).globalTable(gif_test::MakePalette(4));
    for (int k = 0; k < images; ++k) builder.image(gif_test::PatternImage(8, 6, 16, k));
    const QString p = path(name);
    EXPECT_TRUE(gif_test::WriteFile(p.toStdString(), builder.bytes()));
    return p;
  }
};

}  // namespace

TEST(EngineWindow, LoadFillsGridAndBoxesAndThePanelWritesTheRecords) {
  EngineHarness h;
  h.form->addPath(h.writeGif("two.gif", 2));
  ASSERT_EQ(h.session->frameCount(), 2);
  EXPECT_EQ(h.form->EdLSWidth->text(), "8");
  EXPECT_EQ(h.form->EdLSHeight->text(), "6");
  EXPECT_EQ(h.session->rowCells(1)[1], "two.gif(2)");
  EXPECT_TRUE(h.prompter.messages.empty());

  // A new delay for both frames reaches the engine's control blocks.
  h.form->selectGridRows(1, 2);
  h.form->SGImagesClick();
  h.form->EDelay->setText("42");
  emit h.form->EDelay->textEdited("42");
  h.form->BtnUpdateClick();
  const gifengine::GifEngine& engine = *h.session->engine();
  EXPECT_EQ(engine.frames[0].delay(), 42);
  EXPECT_EQ(engine.frames[1].delay(), 42);

  // A file that is not a GIF is reported by the engine through the window's prompter.
  QFile bad(h.path("bad.gif"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("not a picture");
  bad.close();
  h.form->addPath(h.path("bad.gif"));
  EXPECT_EQ(h.session->frameCount(), 2);
  ASSERT_EQ(h.prompter.messages.size(), 1u);
  EXPECT_TRUE(h.prompter.messages[0].text.endsWith(" は、GIFファイルではありません"));
}

TEST(EngineWindow, SplitWritesNumberedSingleImageFilesThatDecodeLikeTheSource) {
  EngineHarness h;
  h.form->addPath(h.writeGif("anim.gif", 3));
  h.chooser.saveAnswer = h.path("clip.gif");
  h.form->MenuDisAssembleClick();
  const gif_test::DecodedGif source = decodeFile(h.path("anim.gif"));
  ASSERT_EQ(source.images.size(), 3u);
  for (int k = 1; k <= 3; ++k) {
    const QString name = h.path(QStringLiteral("clip00%1.gif").arg(k));
    ASSERT_TRUE(QFile::exists(name)) << name.toStdString();
    const gif_test::DecodedGif one = decodeFile(name);
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
