// What the colour-table tools ask of the window that owns the frame list
// and the parameter panel.
#pragma once

namespace gifengine::colour {

class ColourToolHost {
public:
    virtual ~ColourToolHost() = default;
    // The parameter panel forgets its pending edits.
    virtual void ResetPendingPanelEdits() = 0;
    // Frames changed: redraw every grid row, refresh the size estimate and
    // reload the parameter panel.
    virtual void FramesChanged() = 0;
};

}  // namespace gifengine::colour
