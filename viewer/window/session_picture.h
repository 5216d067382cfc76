// Drawing a viewer session into a picture: the session's view transform becomes the
// picture's mapping, then the picture is cleared and the scene drawn with the given
// switches. The window draws its own picture this way and so do the export's frames.
#pragma once

#include "viewer/core/view_options.h"
#include "viewer/core/viewer_session.h"
#include "viewer/draw/scene_picture.h"
#include "viewer/export/frame_sink.h"

#include <functional>

namespace sorvath {

void drawSessionPicture(ScenePicture& picture, ViewerSession& session, const ViewOptions& options);
// Carries out what an operation did to the picture (kept, cleared or redrawn).
void showSessionPicture(ScenePicture& picture, ViewerSession& session, const ViewerState& state);

// The export's frames drawn into a ScenePicture: the window's own, or one kept
// offscreen. shown (optional) lets the window show the session's state at once.
class PictureFrameSink : public FrameSink {
public:
    explicit PictureFrameSink(ScenePicture& picture, std::function<void(const ViewerState&)> shown = {})
        : picture_(picture), shown_(std::move(shown)) {}

    FramePixels drawFrame(ViewerSession& session, const ViewOptions& options, int index) override;
    void shown(const ViewerState& state) override;

private:
    ScenePicture& picture_;
    std::function<void(const ViewerState&)> shown_;
};

}  // namespace sorvath
