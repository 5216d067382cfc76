// TImageForm: settings commands and the commands that start other programs.
#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QTableView>

#include "assembler/platform/associations.h"
#include "assembler/platform/command_line.h"
#include "assembler/platform/folders.h"
#include "assembler/platform/install_layout.h"
#include "assembler/platform/launcher.h"
#include "assembler/window/file_browser.h"
#include "assembler/window/frame_table_model.h"
#include "assembler/window/image_form.h"

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
    if (engine_.LastMadeFile.empty()) {
        message(kErrorCaption, QStringLiteral("まだファイルが作成されていません"), MessageButtons::Ok);
        return;
    }
    openInBrowser(lastMadeFile());
}

void TImageForm::MenuDocumentClick() {
    openInBrowser(helpPagePath(startFolder_, QCoreApplication::applicationDirPath()));
}

void TImageForm::Image3Click() { openInBrowser(kHomePage); }

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
        message(kErrorCaption, QStringLiteral("ビュワーの登録が行われていません"), MessageButtons::Ok);
        return;
    }
    const QString path = joinPath(settings_.workDir, QStringLiteral("__tmp.gif"));
    if (engineWithSelection().MakeAnimatedGif(path.toStdString(), gifengine::OutputKind::WorkFile) != 1) return;
    startRegistered(settings_.viewer, path);
}

void TImageForm::MenuExecPaintClick() {
    if (settings_.paintSoft.isEmpty()) {
        message(kErrorCaption, QStringLiteral("画像修正ソフトの登録が行われていません"), MessageButtons::Ok);
        return;
    }
    gifengine::GifEngine& engine = engineWithSelection();
    const std::optional<int> frame =
        engine.singleSelectedFrame("修正する画像を１つ選択してください", "修正する画像を１つだけ選択してください");
    if (!frame) return;
    const QString path = joinPath(settings_.workDir, QStringLiteral("editing.gif"));
    if (engine.MakeSingleGif(*frame, path.toStdString(), gifengine::OutputKind::WorkFile) != 1) return;
    startRegistered(settings_.paintSoft, path);
}

void TImageForm::MenuReplaceImageClick() {
    const QString edited = joinPath(settings_.workDir, QStringLiteral("editing.gif"));
    if (engineWithSelection().replaceSelectedFrame(edited.toStdString())) showEngineState();
}

void TImageForm::registerProgram(QString& setting) {
    FileDialogRequest request{QStringLiteral("実行ファイル指定"), QStringLiteral("すべてのファイル (*)"), QString(),
                              setting};
    if (!isExecutableFile(setting)) {
        request.folder = startFolder_;
        request.fileName = QStringLiteral("*.exe");
        if (const std::optional<QString> command = services_.associations->commandFor(gifMimeType())) {
            const QString program = programOfCommandLine(*command);
            if (!program.isEmpty() &&
                message(kConfirmCaption,
                        QStringLiteral(
                            "GIFに関連付けられたプログラムがあります。そのプログラムをダイアログに表示しますか？"),
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
    const QString chosen = services_.workFolderChooser->chooseWorkFolder(before, false);
    if (chosen == before) return;
    // Another user's folder, or one others may write into, never becomes the work folder.
    const WorkFolderState state = workFolderState(chosen);
    if (reportRefusedWorkFolder(chosen, state)) return;
    settings_.workDir = chosen;
    if (state == WorkFolderState::Usable || createFolder(chosen)) {
        writeSettings();
        return;
    }
    message(kErrorCaption, QStringLiteral("作業用フォルダを作成できません。"), MessageButtons::Ok);
}

void TImageForm::MenuDelRegClick() {
    if (message(kConfirmCaption, QStringLiteral("Reelwrightの登録情報を削除して終了して構いませんか？"),
                MessageButtons::OkCancel) != MessageAnswer::Ok)
        return;
    settingsDeleted_ = true;
    if (!services_.settings->remove())
        message(kErrorCaption, QStringLiteral("レジストリ削除時にエラーが発生しました。"), MessageButtons::Ok);
    close();
}

}  // namespace flikkor
