// Finding and activating top-level windows by their caption.
#pragma once

#include <string>

namespace sorvath {

class WindowActivator {
public:
    virtual ~WindowActivator() = default;
    // Waits until a shown window with exactly this caption exists, at most timeoutMs.
    virtual bool waitForWindow(const std::string& caption, int timeoutMs) = 0;
    // Brings the window with this caption to the front and gives it the input focus;
    // true once it has the focus (waiting a short while for that).
    virtual bool activate(const std::string& caption) = 0;
};

}  // namespace sorvath
