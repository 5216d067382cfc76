// The retained picture of W0 x H0 pixels (the window's picture area, which grows
// with the window), its scale values, and the scene drawn onto
// it by the scene renderer through the picture's raster. Everything is drawn without
// antialiasing, so every pixel is a palette colour; a fill cannot leak into the
// background when an outline is not closed on screen.
#pragma once

#include "viewer/core/scene.h"
#include "viewer/core/view_options.h"
#include "viewer/draw/scale_state.h"
#include "viewer/draw/scene_renderer.h"
#include "viewer/draw/scene_transform.h"

#include <QImage>

namespace sorvath {

class ScenePicture {
public:
    explicit ScenePicture(int w0 = kPictureWidth, int h0 = kPictureHeight);

    int W0() const { return w0_; }
    int H0() const { return h0_; }
    // A picture of w0 x h0 pixels from now on, cleared (the window was resized).
    void resize(int w0, int h0);

    const QImage& image() const { return image_; }
    // Zoom and pan change the four scale values directly.
    ScaleState& scale() { return scale_; }
    const ScaleState& scale() const { return scale_; }

    // Fills the picture with the background colour.
    void clear();
    // Fits the bounding box with a 0.05 margin around its larger extent, clears the
    // picture and resets the drawing state. A box of zero extent is treated as a box
    // of extent 1 centred on its point.
    void setscale(const Scene& scene);
    // Draws the whole scene onto the (already cleared) picture; the scene is only read.
    void drawscene(const Scene& scene, const ViewOptions& options);

    // The current mapping from world coordinates to this picture's pixels.
    SceneTransform transform() const { return SceneTransform::picture(scale_, w0_, h0_); }

    // Pixel position of a world point with the current mapping.
    double pixelX(double x) const;
    double pixelY(double y) const;

private:
    QImage image_;
    int w0_;
    int h0_;
    ScaleState scale_;
    SceneRenderer renderer_;
};

}  // namespace sorvath
