// The surface a scene is drawn on: the picture's pixels (Raster) or a painter
// (PainterCanvas). Points are in the surface's own coordinates.
#pragma once

#include <QRgb>

namespace sorvath {

struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
};

class SceneCanvas {
public:
    virtual ~SceneCanvas() = default;
    // width 2 is the wide contact segment.
    virtual void line(PixelPoint from, PixelPoint to, QRgb colour, int width = 1) = 0;
    // Segments between consecutive points of count points.
    virtual void polyline(const PixelPoint* points, int count, QRgb colour) = 0;
    // Fills the inside of a convex polygon of count corners.
    virtual void fillConvexPolygon(const PixelPoint* points, int count, QRgb colour) = 0;
};

}  // namespace sorvath
