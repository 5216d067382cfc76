// The window's interactions through Qt's own dialogs: message boxes captioned with
// the program's name, non-native file dialogs, the input box and the print dialog;
// the last run's folder in the user's settings (Quillbay/Sorvath.conf).
#pragma once

#include "viewer/window/window_interaction.h"

#include <QString>

class QWidget;

namespace sorvath {

class QtWindowInteraction : public WindowInteraction {
public:
    // Dialogs are centred on this window once it is set.
    void setDialogParent(QWidget* parent) { parent_ = parent; }

    bool askYesNo(const std::string& text) override;
    std::string chooseOpenFile(const FileOpenRequest& request) override;
    void setStartFolder(const std::string& folder) override;
    std::optional<std::string> askText(const std::string& prompt) override;
    bool choosePrinter(QPrinter& printer) override;
    void beep() override;
    std::string rememberedRunFolder() override;
    void rememberRunFolder(const std::string& folder) override;

private:
    QWidget* parent_ = nullptr;
    QString folder_;
};

}  // namespace sorvath
