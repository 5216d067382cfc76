#include "viewer/draw/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sorvath {
namespace {

// Outcode of a point against the box [lo, xHi] x [lo, yHi]: one bit per side
// it lies beyond.
int outcode(PixelPoint p, double lo, double xHi, double yHi) {
    return (p.x < lo ? 1 : 0) | (p.x > xHi ? 2 : 0) | (p.y < lo ? 4 : 0) | (p.y > yHi ? 8 : 0);
}

// Cohen-Sutherland clipping of a segment to [lo, xHi] x [lo, yHi], in double
// and without overflow. A segment whose ends lie on one outer side is
// dropped by exact comparisons. An end outside is moved onto the side it
// crosses, with the slope of the segment (from half coordinates, as the
// difference of two finite values can exceed the largest double) applied
// from whichever end is nearer that side, so a line of one far and one near
// end keeps its position and an axis-parallel line stays exact. Both ends
// come out finite and inside the box, ready to convert to int.
bool clipSegment(PixelPoint& p, PixelPoint& q, double xHi, double yHi) {
    constexpr double lo = -1.0;
    const double halfDx = 0.5 * q.x - 0.5 * p.x;
    const double halfDy = 0.5 * q.y - 0.5 * p.y;
    for (int step = 0; step < 8; ++step) {
        const int codeP = outcode(p, lo, xHi, yHi);
        const int codeQ = outcode(q, lo, xHi, yHi);
        if ((codeP | codeQ) == 0) break;
        if ((codeP & codeQ) != 0) return false;
        PixelPoint& moving = codeP != 0 ? p : q;
        const PixelPoint& other = codeP != 0 ? q : p;
        const int code = codeP != 0 ? codeP : codeQ;
        if ((code & 3) != 0) {
            const double x = (code & 1) != 0 ? lo : xHi;
            const PixelPoint& base = std::fabs(x - moving.x) <= std::fabs(x - other.x) ? moving : other;
            moving = {x, base.y + (x - base.x) * (halfDy / halfDx)};
        } else {
            const double y = (code & 4) != 0 ? lo : yHi;
            const PixelPoint& base = std::fabs(y - moving.y) <= std::fabs(y - other.y) ? moving : other;
            moving = {base.x + (y - base.y) * (halfDx / halfDy), y};
        }
        // A slope beyond the double range gives no position at all.
        if (std::isnan(moving.x) || std::isnan(moving.y)) return false;
    }
    p = {std::clamp(p.x, lo, xHi), std::clamp(p.y, lo, yHi)};
    q = {std::clamp(q.x, lo, xHi), std::clamp(q.y, lo, yHi)};
    return true;
}

// Clamps in floating point before converting, so far-away coordinates stay defined.
int clampedInt(double value, int lo, int hi) {
    if (!(value > lo)) return lo;
    if (!(value < hi)) return hi;
    return static_cast<int>(value);
}

bool finite(PixelPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

Raster::Raster(QImage& image)
    : width_(image.width()),
      height_(image.height()),
      rows_(static_cast<size_t>(image.height())),
      left_(static_cast<size_t>(image.height())),
      right_(static_cast<size_t>(image.height())) {
    for (int y = 0; y < height_; ++y) rows_[static_cast<size_t>(y)] = reinterpret_cast<QRgb*>(image.scanLine(y));
}

void Raster::line(PixelPoint from, PixelPoint to, QRgb colour, int width) {
    if (!finite(from) || !finite(to)) return;
    if (!clipSegment(from, to, width_ + 1.0, height_ + 1.0)) return;
    int x0 = static_cast<int>(std::floor(from.x));
    int y0 = static_cast<int>(std::floor(from.y));
    const int x1 = static_cast<int>(std::floor(to.x));
    const int y1 = static_cast<int>(std::floor(to.y));
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    // A wide line doubles every pixel across its main direction.
    const bool xMajor = dx >= -dy;
    int error = dx + dy;
    for (;;) {
        plot(x0, y0, colour);
        if (width > 1) {
            if (xMajor) {
                plot(x0, y0 + 1, colour);
            } else {
                plot(x0 + 1, y0, colour);
            }
        }
        if (x0 == x1 && y0 == y1) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void Raster::fillConvexPolygon(const PixelPoint* points, int count, QRgb colour) {
    if (count < 3) return;
    double top = points[0].y;
    double bottom = points[0].y;
    for (int i = 0; i < count; ++i) {
        if (!finite(points[i])) return;
        top = std::min(top, points[i].y);
        bottom = std::max(bottom, points[i].y);
    }
    // Rows whose centres (row + 0.5) lie in [top, bottom).
    const int firstRow = clampedInt(std::ceil(top - 0.5), 0, height_);
    const int lastRow = clampedInt(std::ceil(bottom - 0.5), 0, height_) - 1;
    if (firstRow > lastRow) return;
    for (int row = firstRow; row <= lastRow; ++row) {
        left_[static_cast<size_t>(row)] = HUGE_VAL;
        right_[static_cast<size_t>(row)] = -HUGE_VAL;
    }
    for (int i = 0; i < count; ++i) {
        const PixelPoint& p = points[i];
        const PixelPoint& q = points[(i + 1) % count];
        if (p.y == q.y) continue;
        const PixelPoint& upper = p.y < q.y ? p : q;
        const PixelPoint& lower = p.y < q.y ? q : p;
        const double slope = (lower.x - upper.x) / (lower.y - upper.y);
        const int rowFrom = std::max(firstRow, clampedInt(std::ceil(upper.y - 0.5), 0, height_));
        const int rowTo = std::min(lastRow, clampedInt(std::ceil(lower.y - 0.5), 0, height_) - 1);
        for (int row = rowFrom; row <= rowTo; ++row) {
            const double x = upper.x + (row + 0.5 - upper.y) * slope;
            double& l = left_[static_cast<size_t>(row)];
            double& r = right_[static_cast<size_t>(row)];
            if (x < l) l = x;
            if (x > r) r = x;
        }
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        const double l = left_[static_cast<size_t>(row)];
        const double r = right_[static_cast<size_t>(row)];
        if (!(l <= r)) continue;
        const int from = clampedInt(std::ceil(l - 0.5), 0, width_);
        const int to = clampedInt(std::floor(r - 0.5), -1, width_ - 1);
        QRgb* line = rows_[static_cast<size_t>(row)];
        for (int x = from; x <= to; ++x) line[x] = colour;
    }
}

}  // namespace sorvath
