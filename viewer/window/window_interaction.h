// The window's modal and platform interactions: the readers' yes/no questions and
// file choice, the ratio input box, the printer choice and the beep. The program
// uses the Qt dialogs; tests script the answers.
#pragma once

#include "viewer/core/viewer_interfaces.h"

#include <optional>
#include <string>

class QPrinter;

namespace sorvath {

class WindowInteraction : public ViewerPrompter {
public:
    // The folder the open dialogs start in (the program folder at start-up).
    virtual void setStartFolder(const std::string& folder) = 0;
    // A single-line input box without a default; empty optional when cancelled.
    virtual std::optional<std::string> askText(const std::string& prompt) = 0;
    // Lets the user pick and set up a printer (or a PDF file); false when cancelled.
    virtual bool choosePrinter(QPrinter& printer) = 0;
    virtual void beep() = 0;
};

}  // namespace sorvath
