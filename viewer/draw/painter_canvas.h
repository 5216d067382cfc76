// A scene canvas over a QPainter: lines and polylines with the painter's pen, which
// takes the colour asked for (and twice its width for a wide line) only when that
// differs from the pen in use.
#pragma once

#include "viewer/draw/scene_canvas.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>

namespace sorvath {

class PainterCanvas final : public SceneCanvas {
public:
    explicit PainterCanvas(QPainter& painter);

    void line(PixelPoint from, PixelPoint to, QRgb colour, int width = 1) override;
    void polyline(const PixelPoint* points, int count, QRgb colour) override;
    void fillConvexPolygon(const PixelPoint* points, int count, QRgb colour) override;

private:
    void usePen(QRgb colour, int width);

    QPainter& painter_;
    double baseWidth_;
    QPolygonF polygon_;
};

}  // namespace sorvath
