// Pixel drawing on a 32-bit image without antialiasing: lines of width 1 or 2 and
// filled convex polygons, all clipped to the image; a figure lying well inside the
// image is drawn without clipping, on the same pixels. Coordinates are pixel positions
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

    void stroke(const FigureBatch& figures, QRgb colour, int width = 1) override;
    void fill(std::span<const FillBatch> batches) override;

    // One segment: the pixels of the Bresenham line between the pixels of its ends; a
    // wide line doubles every pixel across its main direction.
    void line(PixelPoint from, PixelPoint to, QRgb colour, int width = 1);
    // Fills the pixels whose centres lie inside the convex polygon.
    void fillConvexPolygon(const PixelPoint* points, int count, QRgb colour);

private:
    void plot(int x, int y, QRgb colour) {
        if (x >= 0 && x < width_ && y >= 0 && y < height_) rows_[y][x] = colour;
    }
    // True, with the points' pixels in pixels_, when every point is finite and its
    // pixel, and the one after it both ways, lie inside the image: then no segment
    // between them needs clipping or checks.
    bool toInsidePixels(const PixelPoint* points, int count);
    // line() for two ends known to be well inside, given by their pixels.
    void insideLine(int x0, int y0, int x1, int y1, QRgb colour, int width);

    int width_;
    int height_;
    std::vector<QRgb*> rows_;
    std::vector<double> left_;
    std::vector<double> right_;
    std::vector<int> pixels_;      // a figure's points as pixel columns and rows
    std::vector<int> vertexRows_;  // a polygon's first row centre at or below each corner
};

}  // namespace sorvath
