// Pixel drawing on a 32-bit image without antialiasing: lines of width 1 or 2 and
// filled convex polygons, all clipped to the image. Coordinates are pixel positions
// (pixel (i, j) covers [i, i+1) x [j, j+1)); non-finite coordinates draw nothing.
#pragma once

#include <QImage>
#include <QRgb>

#include <vector>

namespace sorvath {

struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
};

class Raster {
public:
    explicit Raster(QImage& image);

    void line(PixelPoint from, PixelPoint to, QRgb colour, int width = 1);
    // Fills the pixels whose centres lie inside the convex polygon.
    void fillConvexPolygon(const PixelPoint* points, int count, QRgb colour);

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
