// Pixel drawing on a 32-bit image without antialiasing: lines of width 1 or 2 and
// filled convex polygons, all clipped to the image. Coordinates are pixel positions
// (pixel (i, j) covers [i, i+1) x [j, j+1)); non-finite coordinates draw nothing.
#pragma once

#include "viewer/draw/scene_canvas.h"

#include <QImage>
#include <QRgb>

#include <vector>

namespace sorvath {

class Raster final : public SceneCanvas {
public:
    explicit Raster(QImage& image);

    void line(PixelPoint from, PixelPoint to, QRgb colour, int width = 1) override;
    void polyline(const PixelPoint* points, int count, QRgb colour) override {
        for (int k = 0; k + 1 < count; ++k) line(points[k], points[k + 1], colour);
    }
    // Fills the pixels whose centres lie inside the convex polygon.
    void fillConvexPolygon(const PixelPoint* points, int count, QRgb colour) override;

private:
    void plot(int x, int y, QRgb colour) {
        if (x >= 0 && x < width_ && y >= 0 && y < height_) rows_[y][x] = colour;
    }

    int width_;
    int height_;
    std::vector<QRgb*> rows_;
    std::vector<double> left_;
    std::vector<double> right_;
};

}  // namespace sorvath
