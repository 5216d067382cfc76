// Finding, watching and activating the top-level windows of the display the
// keystrokes go to.
#pragma once

#include "viewer/platform/launcher.h"

#include <string>
#include <vector>

namespace sorvath {

// A top-level window of the display; 0 stands for no window.
using WindowId = unsigned long;

struct WindowInfo {
    WindowId id = 0;
    ProcessId process = 0;  // as the window announces it; 0 when it does not
    std::string caption;
};

class WindowActivator {
public:
    virtual ~WindowActivator() = default;
    // Brings the shown window with exactly this caption to the front and gives it the
    // input focus; true once it has the focus (waiting a short while for that).
    virtual bool activate(const std::string& caption) = 0;
    // The shown top-level windows that belong to this process, newest first.
    virtual std::vector<WindowId> windowsOfProcess(ProcessId process) = 0;
    // Asks for the input focus for this window and returns without waiting.
    virtual void requestFocus(WindowId window) = 0;
    // The top-level window that holds the input focus; id 0 when none does.
    virtual WindowInfo focusedWindow() = 0;
    // True while the window exists and is shown.
    virtual bool isShown(WindowId window) = 0;
};

}  // namespace sorvath
