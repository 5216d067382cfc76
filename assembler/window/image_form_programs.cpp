// TImageForm: settings commands and the commands that start other programs.
#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QTableView>

#include "platform/associations.h"
#include "platform/command_line.h"
#include "platform/folders.h"
#include "platform/install_layout.h"
#include "platform/launcher.h"
#include "window/animation_session.h"
#include "window/file_browser.h"
#include "window/frame_table_model.h"
#include "window/image_form.h"

namespace flikkor {

void TImageForm::openInBrowser(const QString& target) {
  for (const QString& mime : htmlMimeTypes()) {
    const std::optional<QString> command = services_.associations->commandFor(mime);
    if (!command) continue;
    const QStringList arguments = argumentsForTarget(*command, target);
    if (arguments.isEmpty()) continue;
    services_.launcher->start(arguments.first(), arguments.mid(1));
    return;
  }
}

void TImageForm::MenuBrowsClick() {
  if (lastMadeFile_.isEmpty()) {
    services_.prompter->show(kErrorCaption, QStringLiteral("まだファイルが作成されていません"), MessageButtons::Ok);
    return;
  }
  openInBrowser(lastMadeFile_);
}

void TImageForm::MenuDocumentClick() {
  openInBrowser(helpPagePath(startFolder_, QCoreApplication::applicationDirPath()));
}

void TImageForm::Image3Click() { MenuDocumentClick(); }

void TImageForm::MenuExprolerClick() {
  const std::optional<QString> command = services_.associations->commandFor(folderMimeType());
  if (!command) return;
  const QStringList arguments = argumentsForTarget(*command, browser_->folder());
  if (!arguments.isEmpty()) services_.launcher->start(arguments.first(), arguments.mid(1));
}

void TImageForm::startRegistered(const QString& program, const QString& path) {
  services_.launcher->start(program, {path});
}

void TImageForm::MenuViewerClick() {
  if (settings_.viewer.isEmpty()) {
    services_.prompter->show(kErrorCaption, QStringLiteral("ビュワーの登録が行われていません"), MessageButtons::Ok);
    return;
  }
  const QString path = joinPath(settings_.workDir, QStringLiteral("__tmp.gif"));
  const AnimationBoxes boxes{EdLSWidth->text(), EdLSHeight->text(), EdIteration->text()};
  if (!session_->makeAnimatedGif(path, boxes, nullptr)) return;
  startRegistered(settings_.viewer, path);
}

void TImageForm::MenuExecPaintClick() {
  if (settings_.paintSoft.isEmpty()) {
    services_.prompter->show(kErrorCaption, QStringLiteral("画像修正ソフトの登録が行われていません"), MessageButtons::Ok);
    return;
  }
  const auto [top, bottom] = selectedGridRows();
  if (top - 1 >= session_->frameCount()) {
    services_.prompter->show(kErrorCaption, QStringLiteral("修正する画像を１つ選択してください"), MessageButtons::Ok);
    return;
  }
  if (bottom != top) {
    services_.prompter->show(kErrorCaption, QStringLiteral("修正する画像を１つだけ選択してください"), MessageButtons::Ok);
    return;
  }
  const QString path = joinPath(settings_.workDir, QStringLiteral("editing.gif"));
  if (!session_->makeSingleGif(top - 1, path)) return;
  startRegistered(settings_.paintSoft, path);
}

void TImageForm::MenuReplaceImageClick() {
  const auto [top, bottom] = selectedGridRows();
  const int i = top - 1;
  if (i >= session_->frameCount()) {
    services_.prompter->show(kErrorCaption, QStringLiteral("置き換える画像を１つ選択してください"), MessageButtons::Ok);
    return;
  }
  if (bottom != top) {
    services_.prompter->show(kErrorCaption, QStringLiteral("置き換える画像を１つだけ選択してください"), MessageButtons::Ok);
    return;
  }
  const FrameFields old = session_->frameFields(i);
  std::optional<ScreenValues> screen;
  const int added = session_->loadGifFile(joinPath(settings_.workDir, QStringLiteral("editing.gif")), i, screen);
  if (added == 0) return;
  session_->setDelay(i, old.delay);
  session_->setDisposal(i, old.disposal);
  session_->markEdited(i);
  session_->deleteFrame(i + added);
  model_->ShowAllFrameRows();
  selectGridRows(i + 1, i + 1);
}

void TImageForm::registerProgram(QString& setting) {
  FileDialogRequest request{QStringLiteral("実行ファイル指定"), QStringLiteral("すべてのファイル (*)"), QString(), setting};
  if (!isExecutableFile(setting)) {
    request.folder = startFolder_;
    request.fileName = QStringLiteral("*.exe");
    if (const std::optional<QString> command = services_.associations->commandFor(gifMimeType())) {
      const QString program = programOfCommandLine(*command);
      if (!program.isEmpty() &&
          services_.prompter->show(kConfirmCaption,
                                   QStringLiteral("GIFに関連付けられたプログラムがあります。そのプログラムをダイアログに表示しますか？"),
                                   MessageButtons::YesNo) == MessageAnswer::Yes) {
        request.folder.clear();
        request.fileName = program;
      }
    }
  }
  if (const std::optional<QString> chosen = services_.fileChooser->chooseOpenFile(request)) setting = *chosen;
}

void TImageForm::MenuSetPaintClick() { registerProgram(settings_.paintSoft); }
void TImageForm::MenuSetViewerClick() { registerProgram(settings_.viewer); }

void TImageForm::MenuChgFoldClick() {
  const QString before = settings_.workDir;
  settings_.workDir = services_.workFolderChooser->chooseWorkFolder(before, false);
  if (settings_.workDir == before) return;
  if (isUsableFolder(settings_.workDir) || createFolder(settings_.workDir)) {
    writeSettings();
    return;
  }
  services_.prompter->show(kErrorCaption, QStringLiteral("作業用フォルダを作成できません。"), MessageButtons::Ok);
}

void TImageForm::MenuDelRegClick() {
  if (services_.prompter->show(kConfirmCaption, QStringLiteral("Reelwrightの登録情報を削除して終了して構いませんか？"),
                               MessageButtons::OkCancel) != MessageAnswer::Ok)
    return;
  settingsDeleted_ = true;
  if (!services_.settings->remove())
    services_.prompter->show(kErrorCaption, QStringLiteral("レジストリ削除時にエラーが発生しました。"), MessageButtons::Ok);
  close();
}

}  // namespace flikkor
