// What the window shows of a viewer session besides the picture: the labels, the
// control groups, the captions the commands changed, the animation switches, and
// what the last operation did to the picture. The readers and the session write it;
// the window shows all of it after every call.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sorvath {

enum class PictureChange {
    Kept,     // the picture stays as it is
    Cleared,  // the picture is blank
    Redrawn,  // the picture is cleared and the scene drawn with the current view and options
};

struct ViewerState {
    std::string filename;         // the "Filename" label
    std::optional<int32_t> step;  // the "step number" label; empty when none is shown
    // The animation group (stepping, start, stop, reset, speed, nskip, the toggles, the
    // ratio) and the GIF export; the view group (zoom, pan, original size, prints, copy).
    bool animationControls = false;
    bool viewControls = false;
    // The relative-rotation button: enabled with the animation group and by a contact
    // display, disabled when the contacts are switched off.
    bool relativeRotationControl = false;
    // Captions set by the commands; empty while a button keeps its laid-out caption.
    std::string periodicCaption;
    std::string colourCaption;
    std::string relativeRotationCaption;
    bool running = false;  // the animation timer runs
    int nskip = 0;         // step blocks skipped between pictures

    // What the last operation did: whether it did what was asked (a file opened, a
    // run restarted), whether the view was fitted to the scene, and the picture.
    bool succeeded = true;
    bool fitted = false;
    PictureChange picture = PictureChange::Kept;
};

inline const char* relativeRotationCaption(bool on) { return on ? "Relative rotation OFF" : "Relative rotation ON"; }

}  // namespace sorvath
