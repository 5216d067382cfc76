#include "viewer/draw/scene_print.h"

#include "viewer/draw/painter_canvas.h"
#include "viewer/draw/scene_renderer.h"
#include "viewer/draw/scene_transform.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace sorvath {
namespace {

// Page positions in 1/1440 inch to device pixels.
class PageUnits {
public:
    explicit PageUnits(const QPaintDevice& device)
        : sx_(device.logicalDpiX() / kPrinterUnitsPerInch), sy_(device.logicalDpiY() / kPrinterUnitsPerInch) {}
    QPointF at(double x, double y) const { return {x * sx_, y * sy_}; }
    double width(double units) const { return units * sx_; }
    double height(double units) const { return units * sy_; }

private:
    double sx_;
    double sy_;
};

// Dark blue lines, a little wider than a hairline.
constexpr QColor kPrintLineColour(0, 0, 128);
constexpr double kPrintLineWidth = 10.0;  // printer units
constexpr double kTextLeft = 300.0;
constexpr double kTextTop = 300.0;
constexpr double kPageOrigin = 2500.0;  // where the run's top-left corner (xmin, ymax) lands

}  // namespace

double printScaleFactor(double xlng, double ylng) { return xlng / 2.0 > ylng / 3.0 ? 5000.0 / xlng : 7500.0 / ylng; }

void roughPrint(QPaintDevice& device, const QImage& picture) {
    QPainter painter;
    if (!painter.begin(&device)) return;
    const PageUnits units(device);
    const QSizeF size(units.width(picture.width() * kTwipsPerPixel), units.height(picture.height() * kTwipsPerPixel));
    // A picture larger than the page (a window grown wide) is made smaller to fit it whole.
    const double fit = std::min({1.0, device.width() / size.width(), device.height() / size.height()});
    painter.drawImage(QRectF(QPointF(0, 0), size * fit), picture);
    painter.end();
}

void highQualityPrint(QPaintDevice& device, const Scene& scene, const ScaleState& scale, const std::string& path) {
    QPainter painter;
    if (!painter.begin(&device)) return;
    const PageUnits units(device);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10.0);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font, &device);
    const QPointF firstLine = units.at(kTextLeft, kTextTop);
    // Text is placed by its top edge, the next line starts again at the same x.
    painter.drawText(QPointF(firstLine.x(), firstLine.y() + metrics.ascent()), QString::fromStdString(path));
    const QString counts = QStringLiteral("iloop/nloop=") + QString::number(scene.iloop) + QLatin1Char('/') +
                           QString::number(scene.nloop, 'g', 15);
    painter.drawText(QPointF(firstLine.x(), firstLine.y() + metrics.height() + metrics.ascent()), counts);

    QPen pen(kPrintLineColour);
    pen.setWidthF(units.width(kPrintLineWidth));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(units.at(100, 100), units.at(10000, 15000)));

    const double f = printScaleFactor(scale.xlng, scale.ylng);
    if (std::isfinite(f)) {
        PainterCanvas canvas(painter);
        SceneRenderer().draw(
            scene, SceneTransform::page(f, scene.xmin, scene.ymax, kPageOrigin, units.width(1.0), units.height(1.0)),
            lineDrawing(kPrintLineColour.rgba()), canvas);
    }
    painter.end();
}

}  // namespace sorvath
