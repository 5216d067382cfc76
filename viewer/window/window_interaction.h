// The window's modal and platform interactions: the readers' yes/no questions and
// file choice, the ratio input box, the printer choice, the beep and the one thing
// remembered across starts, the folder of the last run opened. The program uses the
// Qt dialogs and settings; tests script the answers and keep the folder in memory.
#pragma once

#include "viewer/core/viewer_interfaces.h"

#include <optional>
#include <string>

class QPrinter;

namespace sorvath {

// The caption of the window and of every box it shows.
inline constexpr const char* kProgramCaption = "Sorvath";

class WindowInteraction : public ViewerPrompter {
public:
    // The folder the open dialogs start in.
    virtual void setStartFolder(const std::string& folder) = 0;
    // The folder of the last run opened, kept across starts; empty when none is known.
    virtual std::string rememberedRunFolder() = 0;
    virtual void rememberRunFolder(const std::string& folder) = 0;
    // A single-line input box without a default; empty optional when cancelled.
    virtual std::optional<std::string> askText(const std::string& prompt) = 0;
    // Lets the user pick and set up a printer (or a PDF file); false when cancelled.
    virtual bool choosePrinter(QPrinter& printer) = 0;
    virtual void beep() = 0;
};

}  // namespace sorvath
