// The retained picture of W0 x H0 pixels and the drawing of a scene onto it.
// Everything is drawn without antialiasing, so every pixel is a palette colour.
// Particles are filled as polygons first and all outlines and marks are drawn
// afterwards: outlines stay visible where particles touch, and a fill cannot leak
// into the background when an outline is not closed on screen.
#pragma once

#include "viewer/core/scene.h"
#include "viewer/core/view_options.h"
#include "viewer/draw/outline_table.h"
#include "viewer/draw/raster.h"
#include "viewer/draw/scale_state.h"

#include <QImage>
#include <QRgb>

#include <vector>

namespace sorvath {

class ScenePicture {
public:
    explicit ScenePicture(int w0 = kPictureWidth, int h0 = kPictureHeight);

    int W0() const { return w0_; }
    int H0() const { return h0_; }

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
    // Draws the whole scene onto the (already cleared) picture. Unwraps previous
    // angles that differ from the current ones by more than 90 degrees; those stay changed.
    void drawscene(Scene& scene, const ViewOptions& options);

    // Pixel position of a world point with the current mapping.
    double pixelX(double x) const;
    double pixelY(double y) const;

private:
    // Pixel positions of a particle's outline, shifted by xadd in world x.
    const std::vector<PixelPoint>& outline(const Particle& particle, double xadd);
    void drawWalls(Raster& raster, const Scene& scene, double xadd);
    void drawContactSegments(Raster& raster, const Scene& scene, const ViewOptions& options);
    void drawRotationMarks(Raster& raster, const Scene& scene, const ViewOptions& options);
    PixelPoint toPixel(double x, double y) const;

    QImage image_;
    int w0_;
    int h0_;
    ScaleState scale_;
    OutlineTable outlineTable_;
    std::vector<PixelPoint> vertices_;
};

}  // namespace sorvath
