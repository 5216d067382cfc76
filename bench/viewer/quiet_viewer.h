// Stand-ins for the window that do nothing, for timing the readers and the drawing.
#pragma once

#include "viewer/core/viewer_interfaces.h"

#include <string>

namespace sorvath::bench {

class QuietWindow : public MessageLog, public ViewerPrompter, public SceneDisplay {
public:
    std::string path;
    void showmsg(const std::string&) override {}
    void beep() override {}
    bool askYesNo(const std::string&) override { return false; }
    std::string chooseOpenFile(const FileOpenRequest&) override { return path; }
    void setscale() override {}
    void clearPicture() override {}
    void drawscene() override {}
    void showFilename(const std::string&) override {}
    void showStepNumber(int32_t) override {}
    void clearStepNumber() override {}
    void setanimbuttons(int) override {}
    void setviewbuttons(int) override {}
    void viewOptionsChanged() override {}
};

}  // namespace sorvath::bench
