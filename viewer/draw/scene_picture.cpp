#include "viewer/draw/scene_picture.h"

#include "viewer/draw/palette.h"
#include "viewer/draw/raster.h"

#include <algorithm>
#include <cmath>

namespace sorvath {

ScenePicture::ScenePicture(int w0, int h0) : image_(w0, h0, QImage::Format_RGB32), w0_(w0), h0_(h0) { clear(); }

void ScenePicture::resize(int w0, int h0) {
    if (w0 == w0_ && h0 == h0_) return;
    image_ = QImage(w0, h0, QImage::Format_RGB32);
    w0_ = w0;
    h0_ = h0;
    clear();
}

void ScenePicture::clear() { image_.fill(palette::kBackground); }

void ScenePicture::setscale(const Scene& scene) {
    scale_ = fittedScale(extentOf(scene), w0_, h0_);
    clear();
}

double ScenePicture::pixelX(double x) const { return transform().point(x, 0.0).x; }

double ScenePicture::pixelY(double y) const { return transform().point(0.0, y).y; }

void ScenePicture::drawscene(const Scene& scene, const ViewOptions& options) {
    Raster raster(image_);
    renderer_.draw(scene, transform(), pictureDrawing(options), raster);
}

}  // namespace sorvath
