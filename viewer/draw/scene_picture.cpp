#include "viewer/draw/scene_picture.h"

#include "viewer/draw/palette.h"
#include "viewer/draw/raster.h"

#include <algorithm>
#include <cmath>

namespace sorvath {

ScenePicture::ScenePicture(int w0, int h0) : image_(w0, h0, QImage::Format_RGB32), w0_(w0), h0_(h0) { clear(); }

void ScenePicture::clear() { image_.fill(palette::kBackground); }

void ScenePicture::setscale(const Scene& scene) {
    double xmin = scene.xmin;
    double xmax = scene.xmax;
    double ymin = scene.ymin;
    double ymax = scene.ymax;
    if (!(std::max(xmax - xmin, ymax - ymin) > 0.0)) {
        // All on one point: show a box of one world unit around it.
        const double cx = std::isfinite(xmin) ? xmin : 0.0;
        const double cy = std::isfinite(ymin) ? ymin : 0.0;
        xmin = cx - 0.5;
        xmax = cx + 0.5;
        ymin = cy - 0.5;
        ymax = cy + 0.5;
    }
    scale_.xlng = xmax - xmin;
    scale_.ylng = ymax - ymin;
    double extent = 0.0;
    if (scale_.xlng > scale_.ylng) {
        scale_.pscale = w0_ / ((2.0 * kMarginRatio + 1.0) * scale_.xlng);
        extent = scale_.xlng;
    } else {
        scale_.pscale = h0_ / ((2.0 * kMarginRatio + 1.0) * scale_.ylng);
        extent = scale_.ylng;
    }
    scale_.margin = kMarginRatio * extent;
    clear();
    scale_.ScaleTop = static_cast<float>(ymax + scale_.margin);
    scale_.ScaleLeft = static_cast<float>(xmin - scale_.margin);
    scale_.ScaleHeight = static_cast<float>(-h0_ / scale_.pscale);
    scale_.ScaleWidth = static_cast<float>(w0_ / scale_.pscale);
}

double ScenePicture::pixelX(double x) const { return transform().point(x, 0.0).x; }

double ScenePicture::pixelY(double y) const { return transform().point(0.0, y).y; }

void ScenePicture::drawscene(const Scene& scene, const ViewOptions& options) {
    Raster raster(image_);
    renderer_.draw(scene, transform(), pictureDrawing(options), raster);
}

}  // namespace sorvath
