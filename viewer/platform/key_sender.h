// Sending scripted keystrokes to the window that has the input focus.
#pragma once

#include <string>

namespace sorvath {

class KeySender {
public:
    virtual ~KeySender() = default;
    // Sends one notation string as one unit and returns once the keys have been
    // delivered and the programs have had time to process them. False when the
    // string is malformed or cannot be typed; nothing is sent then.
    virtual bool send(const std::string& keys) = 0;
};

}  // namespace sorvath
