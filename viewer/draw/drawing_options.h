// What the scene renderer draws and in which colours: the picture's choice follows
// the window's display switches, the print draws walls, outlines and orientation
// marks only, all in one colour.
#pragma once

#include "viewer/core/view_options.h"
#include "viewer/draw/palette.h"

#include <QRgb>

namespace sorvath {

struct SceneColours {
    QRgb outline = palette::kForeground;  // walls, outlines, orientation marks
    QRgb counterClockwise = palette::kCounterClockwise;
    QRgb unchanged = palette::kUnchanged;
    QRgb clockwise = palette::kClockwise;
    QRgb contactForce = palette::kContactForce;
    QRgb relativeRotation = palette::kRelativeRotation;
};

struct DrawingOptions {
    bool fills = false;               // particles filled by their sense of rotation
    bool periodicImages = false;      // walls and outlines again, shifted by the period both ways
    bool contactLines = false;        // contact-force segments
    bool selectedGrainsOnly = false;  // only particles with the grain-selection mark
    bool rotationMarks = false;       // squares at contacts of a large relative rotation
    float ratio = 1.0f;               // threshold ratio to the average normal force
    SceneColours colours;
};

inline DrawingOptions pictureDrawing(const ViewOptions& view) {
    DrawingOptions options;
    options.fills = view.colour;
    options.periodicImages = view.periodic;
    options.contactLines = view.contactDisplay == ContactDisplay::DrawLines;
    options.selectedGrainsOnly = view.contactDisplay == ContactDisplay::GrainSelect;
    options.rotationMarks = view.relativeRotation;
    options.ratio = view.ratio;
    return options;
}

inline DrawingOptions lineDrawing(QRgb colour) {
    DrawingOptions options;
    options.colours = {colour, colour, colour, colour, colour, colour};
    return options;
}

}  // namespace sorvath
