#include "viewer/draw/scene_picture.h"

namespace sorvath {
ScenePicture::ScenePicture(int w0, int h0) : image_(w0, h0, QImage::Format_RGB32), w0_(w0), h0_(h0) { clear(); }
void ScenePicture::clear() { image_.fill(QColor(255, 255, 255)); }
void ScenePicture::setscale(const Scene&) {}
void ScenePicture::drawscene(Scene&, const ViewOptions&) {}
double ScenePicture::pixelX(double x) const { return (x - scale_.ScaleLeft) / scale_.ScaleWidth * w0_; }
double ScenePicture::pixelY(double y) const { return (y - scale_.ScaleTop) / scale_.ScaleHeight * h0_; }
}  // namespace sorvath
