// Where the GIF export's pictures go: the sink draws each frame of the session's
// scene into a picture of its own (the window's on screen, or one kept offscreen by
// a command-line export) and shows what the export changed in the session.
#pragma once

#include "viewer/core/view_options.h"
#include "viewer/core/viewer_session.h"
#include "viewer/core/viewer_state.h"
#include "viewer/platform/frame_converter.h"

namespace sorvath {

class FrameSink {
public:
    virtual ~FrameSink() = default;
    // Draws frame `index` (100 for the run's start, then 101, 102, ...) of the session's
    // current step with its view and these switches; the pixels stay valid until the
    // next frame is drawn.
    virtual FramePixels drawFrame(ViewerSession& session, const ViewOptions& options, int index) = 0;
    // The session changed during the export (the restart, a frame's step): the window
    // shows the state at once, redrawing the picture when the state asks for it.
    virtual void shown(const ViewerState& state) = 0;
};

}  // namespace sorvath
