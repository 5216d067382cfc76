// Sending scripted keystrokes to the window that has the input focus.
#pragma once

#include <string>

namespace sorvath {

class KeySender {
public:
    virtual ~KeySender() = default;
    // Sends one notation string as one unit and returns once the display server has
    // taken the keys; the receiving program handles them in order, later. False when
    // the string is malformed or cannot be typed.
    virtual bool send(const std::string& keys) = 0;
};

}  // namespace sorvath
