#include "viewer/draw/painter_canvas.h"

#include <QBrush>
#include <QColor>

namespace sorvath {
namespace {

QPointF toQt(PixelPoint p) { return {p.x, p.y}; }

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter) : painter_(painter), baseWidth_(painter.pen().widthF()) {}

void PainterCanvas::usePen(QRgb colour, int width) {
    const QPen& pen = painter_.pen();
    const double penWidth = baseWidth_ * width;
    if (pen.color().rgba() == colour && pen.widthF() == penWidth) return;
    QPen changed = pen;
    changed.setColor(QColor::fromRgba(colour));
    changed.setWidthF(penWidth);
    painter_.setPen(changed);
}

void PainterCanvas::stroke(const FigureBatch& figures, QRgb colour, int width) {
    if (figures.empty()) return;
    usePen(colour, width);
    for (int f = 0; f < figures.size(); ++f) {
        const PixelPoint* points = figures.points(f);
        const int count = figures.count(f);
        if (count == 2) {
            painter_.drawLine(toQt(points[0]), toQt(points[1]));
            continue;
        }
        polygon_.resize(count);
        for (int k = 0; k < count; ++k) polygon_[k] = toQt(points[k]);
        painter_.drawPolyline(polygon_);
    }
}

void PainterCanvas::fill(std::span<const FillBatch> batches) {
    painter_.save();
    painter_.setPen(Qt::NoPen);
    bool brushSet = false;
    QRgb brushColour = 0;
    inDrawingOrder(batches, [&](const FillBatch& batch, int figure) {
        if (!brushSet || batch.colour != brushColour) {
            painter_.setBrush(QColor::fromRgba(batch.colour));
            brushColour = batch.colour;
            brushSet = true;
        }
        const PixelPoint* points = batch.polygons->points(figure);
        const int count = batch.polygons->count(figure);
        polygon_.resize(count);
        for (int k = 0; k < count; ++k) polygon_[k] = toQt(points[k]);
        painter_.drawPolygon(polygon_);
    });
    painter_.restore();
}

}  // namespace sorvath
