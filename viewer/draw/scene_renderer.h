// Draws a scene onto a canvas through a transform: the one drawing of the picture,
// the export frames and the high-quality print. The scene is only read.
//
// Order: fills first, so the outlines drawn afterwards stay visible where particles
// touch; then walls, outlines and orientation marks; the periodic images (walls and
// outlines shifted by the period both ways); contact-force segments; rotation marks.
// The figures go to the canvas in batches, one path per colour (and width): the fills
// of each rotation colour (in the particles' order, so a later particle still covers an
// earlier one), everything of the outline colour, the contact segments of each width,
// the rotation marks. Within one colour the order changes no pixel.
#pragma once

#include "viewer/core/scene.h"
#include "viewer/draw/drawing_options.h"
#include "viewer/draw/particle_outline.h"
#include "viewer/draw/scene_canvas.h"
#include "viewer/draw/scene_transform.h"

#include <array>

namespace sorvath {

// The previous angle compared with the current one after the given number of
// unwrapping passes: each pass moves it a full turn towards the current angle when
// the two differ by more than 90 degrees, so a turn across +-pi counts as the small
// turn it is.
double unwrappedPreviousTheta(const Pose& previous, const Pose& current, int passes);

class SceneRenderer {
public:
    void draw(const Scene& scene, const SceneTransform& transform, const DrawingOptions& options, SceneCanvas& canvas);

private:
    static constexpr int kFillColours = 3;  // counter-clockwise, unchanged, clockwise

    // The particle's nv + 1 outline points, mapped onto the surface, into out.
    void trace(const Particle& particle, double xadd, const SceneTransform& transform, PixelPoint* out);
    void addWalls(const Scene& scene, const SceneTransform& transform, double xadd);
    void drawContactSegments(SceneCanvas& canvas, const Scene& scene, const SceneTransform& transform,
                             const DrawingOptions& options);
    void drawRotationMarks(SceneCanvas& canvas, const Scene& scene, const SceneTransform& transform,
                           const DrawingOptions& options);

    ParticleOutline outline_;
    // The paths of the last drawing, kept so their room is reused.
    FigureBatch lines_;  // the outline colour: walls, outlines, orientation marks, periodic images
    std::array<FigureBatch, kFillColours> fills_;
    FigureBatch thinSegments_;
    FigureBatch wideSegments_;
    FigureBatch squares_;
};

}  // namespace sorvath
