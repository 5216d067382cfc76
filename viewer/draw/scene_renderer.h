// Draws a scene onto a canvas through a transform: the one drawing of the picture,
// the export frames and the high-quality print. The scene is only read.
//
// Order: fills first, so the outlines drawn afterwards stay visible where particles
// touch; then walls, outlines and orientation marks; the periodic images (walls and
// outlines shifted by the period both ways); contact-force segments; rotation marks.
#pragma once

#include "viewer/core/scene.h"
#include "viewer/draw/drawing_options.h"
#include "viewer/draw/particle_outline.h"
#include "viewer/draw/scene_canvas.h"
#include "viewer/draw/scene_transform.h"

#include <vector>

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
    const std::vector<PixelPoint>& outline(const Particle& particle, double xadd, const SceneTransform& transform);
    void drawWalls(SceneCanvas& canvas, const Scene& scene, const SceneTransform& transform, QRgb colour, double xadd);
    void drawContactSegments(SceneCanvas& canvas, const Scene& scene, const SceneTransform& transform,
                             const DrawingOptions& options);
    void drawRotationMarks(SceneCanvas& canvas, const Scene& scene, const SceneTransform& transform,
                           const DrawingOptions& options);

    ParticleOutline outline_;
    std::vector<PixelPoint> vertices_;
};

}  // namespace sorvath
