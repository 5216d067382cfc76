#pragma once
// The real dialogs behind the injected interfaces: message boxes and Qt's own
// (non-native) file dialogs, where typing a name and Enter always work.
#include <QMessageBox>

#include "assembler/window/dialogs.h"

class QWidget;

namespace flikkor {

// The icon of a message box, chosen by its caption. The engine's and the window's
// messages ("Reelwright:エラー", "エラー", ...) carry none; the toolkit's own
// conversion error, captioned with the bare application title, shows the error icon.
QMessageBox::Icon messageIcon(std::string_view caption);

class QtReporter : public Reporter {
public:
    explicit QtReporter(QWidget* parent) : parent_(parent) {}
    MessageAnswer ShowMessage(std::string_view caption, std::string_view text, MessageButtons buttons) override;

private:
    QWidget* parent_;
};

class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget* parent, DialogRunner run = ExecDialog) : parent_(parent), run_(std::move(run)) {}
    std::optional<QString> chooseSaveFile(const FileDialogRequest& request) override;
    std::optional<QString> chooseOpenFile(const FileDialogRequest& request) override;

private:
    QWidget* parent_;
    DialogRunner run_;
};

}  // namespace flikkor
