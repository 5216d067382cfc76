#include "assembler/window/qt_dialogs.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "assembler/html/html_messages.h"

namespace flikkor {
namespace {

// Gives the keyboard back to the window that opened a dialog, also where no window
// manager does it: the keys that follow are meant for that window.
void returnFocus(QWidget* parent) {
    if (parent == nullptr) return;
    QWidget* window = parent->window();
    if (window->isVisible()) window->activateWindow();
}

}  // namespace

QMessageBox::Icon messageIcon(std::string_view caption) {
    return caption == html::text::kApplicationTitle ? QMessageBox::Critical : QMessageBox::NoIcon;
}

MessageAnswer QtReporter::ShowMessage(std::string_view caption, std::string_view text, MessageButtons buttons) {
    QMessageBox box(messageIcon(caption), QString::fromUtf8(caption.data(), qsizetype(caption.size())),
                    QString::fromUtf8(text.data(), qsizetype(text.size())), QMessageBox::NoButton, parent_);
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            box.setDefaultButton(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            break;
    }
    const std::pair<QMessageBox::StandardButton, const char16_t*> captions[] = {
        {QMessageBox::Cancel, u"キャンセル"}, {QMessageBox::Yes, u"はい(&Y)"}, {QMessageBox::No, u"いいえ(&N)"}};
    for (const auto& [which, caption] : captions)
        if (QAbstractButton* b = box.button(which)) b->setText(QString::fromUtf16(caption));
    const int result = box.exec();
    returnFocus(parent_);
    switch (result) {
        case QMessageBox::Ok: return MessageAnswer::Ok;
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        default: return MessageAnswer::Cancel;
    }
}

namespace {

std::optional<QString> runFileDialog(QWidget* parent, const DialogRunner& run, const FileDialogRequest& request,
                                     bool save) {
    QFileDialog dialog(parent, request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(request.filter);
    dialog.setDirectory(request.folder.isEmpty() ? QDir::currentPath() : request.folder);
    const QString name = request.fileName.contains('*') ? QString() : request.fileName;
    if (!name.isEmpty()) dialog.selectFile(name);
    run(dialog);
    returnFocus(parent);
    if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

}  // namespace

std::optional<QString> QtFileChooser::chooseSaveFile(const FileDialogRequest& request) {
    return runFileDialog(parent_, run_, request, true);
}

std::optional<QString> QtFileChooser::chooseOpenFile(const FileDialogRequest& request) {
    return runFileDialog(parent_, run_, request, false);
}

}  // namespace flikkor
