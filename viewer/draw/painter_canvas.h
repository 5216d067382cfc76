// A scene canvas over a QPainter: a batch's figures are stroked one by one with the
// painter's pen, which takes the batch's colour (and twice its width for a wide line)
// once for the batch and only when that differs from the pen in use; fills take the
// brush once for each run of one colour in the drawing order.
#pragma once

#include "viewer/draw/scene_canvas.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>

namespace sorvath {

class PainterCanvas final : public SceneCanvas {
public:
    explicit PainterCanvas(QPainter& painter);

    void stroke(const FigureBatch& figures, QRgb colour, int width = 1) override;
    void fill(std::span<const FillBatch> batches) override;

private:
    void usePen(QRgb colour, int width);

    QPainter& painter_;
    double baseWidth_;
    QPolygonF polygon_;
};

}  // namespace sorvath
