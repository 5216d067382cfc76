// A private X server for end-to-end tests: starts Xvfb with -displayfd and stops
// it again. Tests skip when Xvfb is not installed.
#pragma once

#include <sys/types.h>
#include <string>

namespace sorvath::testing {

class XvfbDisplay {
public:
    XvfbDisplay();  // starts the server; name() is empty when that failed
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    static bool installed();
    const std::string& name() const { return name_; }  // e.g. ":7"

private:
    pid_t pid_ = -1;
    std::string name_;
};

}  // namespace sorvath::testing
