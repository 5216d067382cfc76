#include "viewer/window/session_picture.h"

#include "viewer/platform/gif_frame_writer.h"

namespace sorvath {

void drawSessionPicture(ScenePicture& picture, ViewerSession& session, const ViewOptions& options) {
    picture.scale() = session.transform().scale();
    picture.clear();
    picture.drawscene(session.scene(), options);
}

void showSessionPicture(ScenePicture& picture, ViewerSession& session, const ViewerState& state) {
    switch (state.picture) {
        case PictureChange::Kept: break;
        case PictureChange::Cleared: picture.clear(); break;
        case PictureChange::Redrawn: drawSessionPicture(picture, session, session.options()); break;
    }
}

FramePixels PictureFrameSink::drawFrame(ViewerSession& session, const ViewOptions& options, int) {
    drawSessionPicture(picture_, session, options);
    return framePixels(picture_.image());
}

void PictureFrameSink::shown(const ViewerState& state) {
    if (shown_) shown_(state);
}

}  // namespace sorvath
