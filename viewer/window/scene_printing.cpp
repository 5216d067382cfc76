#include "viewer/window/scene_printing.h"

#include "viewer/draw/outline_table.h"

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

private:
    double sx_;
    double sy_;
};

// Dark blue lines, a little wider than a hairline.
constexpr QColor kPrintLineColour(0, 0, 128);
constexpr double kPrintLineWidth = 10.0;  // printer units
constexpr double kTextLeft = 300.0;
constexpr double kTextTop = 300.0;

}  // namespace

double printScaleFactor(double xlng, double ylng) { return xlng / 2.0 > ylng / 3.0 ? 5000.0 / xlng : 7500.0 / ylng; }

void roughPrint(QPaintDevice& device, const QImage& picture) {
    QPainter painter;
    if (!painter.begin(&device)) return;
    const PageUnits units(device);
    const QRectF target(units.at(0, 0), units.at(picture.width() * kTwipsPerPixel, picture.height() * kTwipsPerPixel));
    painter.drawImage(target, picture);
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
        auto page = [&](double x, double y) {
            return units.at(2500.0 + f * (x - scene.xmin), 2500.0 + f * (scene.ymax - y));
        };
        const int nwall = std::clamp(scene.nwall, 0, scene.wallSlots());
        for (int j = 1; j <= nwall; ++j) {
            const Wall& wall = scene.walls[static_cast<size_t>(j)];
            painter.drawLine(page(wall.x1, wall.y1), page(wall.x2, wall.y2));
        }
        OutlineTable table;
        const int nop = std::clamp(scene.nop, 0, scene.particleSlots());
        QPolygonF outline;
        for (int i = 1; i <= nop; ++i) {
            const Particle& particle = scene.particles[static_cast<size_t>(i)];
            if (particle.nv < 1) continue;
            const OutlineAngles& angles = table.angles(particle.nv);
            const Pose& pose = particle.current;
            const double c = std::cos(pose.theta);
            const double s = std::sin(pose.theta);
            outline.resize(particle.nv + 1);
            for (int k = 0; k <= particle.nv; ++k) {
                const runfiles::Point p = runfiles::placedPoint(
                    runfiles::ownFramePoint(particle.a, particle.b, angles.cosPhi[static_cast<size_t>(k)],
                                            angles.sinPhi[static_cast<size_t>(k)]),
                    pose.x, pose.y, c, s);
                outline[k] = page(p.x, p.y);
            }
            painter.drawPolyline(outline);
            painter.drawLine(page(pose.x, pose.y), outline.back());
        }
    }
    painter.end();
}

}  // namespace sorvath
