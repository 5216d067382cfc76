// A stand-in for the viewer's window around the result reader or a viewer session,
// for benchmarks and fuzz targets: it answers every question with one answer and
// every open dialog with one path, and drops messages.
#pragma once

#include "viewer/core/viewer_interfaces.h"

#include <string>

namespace sorvath::testing {

class PictureWindow : public MessageLog, public ViewerPrompter {
public:
    std::string path;     // chosen in every open dialog
    bool answer = false;  // given to every yes/no question

    void showmsg(const std::string&) override {}
    void beep() override {}
    bool askYesNo(const std::string&) override { return answer; }
    std::string chooseOpenFile(const FileOpenRequest&) override { return path; }
};

}  // namespace sorvath::testing
