// A stand-in for the viewer's window around the result reader, for benchmarks and
// fuzz targets: it draws into a ScenePicture as the window does (or draws nothing
// when it has no picture), answers every question with one answer and every open
// dialog with one path, and drops messages and widget updates.
#pragma once

#include "viewer/core/viewer_interfaces.h"
#include "viewer/draw/scene_picture.h"

#include <string>

namespace sorvath::testing {

class PictureWindow : public MessageLog, public ViewerPrompter, public SceneDisplay {
public:
    PictureWindow() = default;
    PictureWindow(ScenePicture& picture, Scene& scene, ViewOptions& options)
        : picture_(&picture), scene_(&scene), options_(&options) {}

    std::string path;     // chosen in every open dialog
    bool answer = false;  // given to every yes/no question

    void showmsg(const std::string&) override {}
    void beep() override {}
    bool askYesNo(const std::string&) override { return answer; }
    std::string chooseOpenFile(const FileOpenRequest&) override { return path; }
    void setscale() override {
        if (picture_) picture_->setscale(*scene_);
    }
    void clearPicture() override {
        if (picture_) picture_->clear();
    }
    void drawscene() override {
        if (picture_) picture_->drawscene(*scene_, *options_);
    }
    void showFilename(const std::string&) override {}
    void showStepNumber(int32_t) override {}
    void clearStepNumber() override {}
    void setanimbuttons(int) override {}
    void setviewbuttons(int) override {}
    void viewOptionsChanged() override {}

private:
    ScenePicture* picture_ = nullptr;
    Scene* scene_ = nullptr;
    ViewOptions* options_ = nullptr;
};

}  // namespace sorvath::testing
