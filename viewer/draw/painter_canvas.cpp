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

void PainterCanvas::line(PixelPoint from, PixelPoint to, QRgb colour, int width) {
    usePen(colour, width);
    painter_.drawLine(toQt(from), toQt(to));
}

void PainterCanvas::polyline(const PixelPoint* points, int count, QRgb colour) {
    usePen(colour, 1);
    polygon_.resize(count);
    for (int k = 0; k < count; ++k) polygon_[k] = toQt(points[k]);
    painter_.drawPolyline(polygon_);
}

void PainterCanvas::fillConvexPolygon(const PixelPoint* points, int count, QRgb colour) {
    polygon_.resize(count);
    for (int k = 0; k < count; ++k) polygon_[k] = toQt(points[k]);
    painter_.save();
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(QColor::fromRgba(colour));
    painter_.drawPolygon(polygon_);
    painter_.restore();
}

}  // namespace sorvath
