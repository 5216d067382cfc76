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

bool finite(PixelPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// std::ceil(value) and std::floor(value) clamped to [lo, hi] (lo >= -1) before they
// become ints, so far-away coordinates stay defined: between the bounds the whole part
// of the value, corrected by one where the cut went the other way.
int ceilClamped(double value, int lo, int hi) {
    if (!(value > lo)) return lo;
    if (!(value < hi)) return hi;
    const int whole = static_cast<int>(value);
    return whole < value ? whole + 1 : whole;
}

int floorClamped(double value, int lo, int hi) {
    if (!(value > lo)) return lo;
    if (!(value < hi)) return hi;
    const int whole = static_cast<int>(value);
    return whole > value ? whole - 1 : whole;
}

}  // namespace

Raster::Raster(QImage& image)
    : width_(image.width()),
      height_(image.height()),
      rows_(static_cast<size_t>(image.height())),
      left_(static_cast<size_t>(image.height())),
      right_(static_cast<size_t>(image.height())) {
    for (int y = 0; y < height_; ++y) rows_[static_cast<size_t>(y)] = reinterpret_cast<QRgb*>(image.scanLine(y));
}

bool Raster::toInsidePixels(const PixelPoint* points, int count) {
    // Written so that a NaN fails every comparison.
    const double xHi = width_ - 1;
    const double yHi = height_ - 1;
    pixels_.resize(2 * static_cast<size_t>(count));
    int* pixel = pixels_.data();
    for (int k = 0; k < count; ++k) {
        const double x = points[k].x;
        const double y = points[k].y;
        if (!(x >= 0.0 && x < xHi && y >= 0.0 && y < yHi)) return false;
        pixel[2 * k] = static_cast<int>(x);
        pixel[2 * k + 1] = static_cast<int>(y);
    }
    return true;
}

void Raster::stroke(const FigureBatch& figures, QRgb colour, int width) {
    for (int f = 0; f < figures.size(); ++f) {
        const PixelPoint* points = figures.points(f);
        const int count = figures.count(f);
        if (!toInsidePixels(points, count)) {
            for (int k = 0; k + 1 < count; ++k) line(points[k], points[k + 1], colour, width);
            continue;
        }
        // Inside the image a clipped segment is the segment itself, and the pixel of a
        // non-negative coordinate is its whole part. A thin segment between neighbouring
        // pixels (or within one) is just its two end pixels, and after the first segment
        // the start pixel is the end of the segment before.
        const int* pixel = pixels_.data();
        for (int k = 0; k + 1 < count; ++k) {
            const int x0 = pixel[2 * k];
            const int y0 = pixel[2 * k + 1];
            const int x1 = pixel[2 * k + 2];
            const int y1 = pixel[2 * k + 3];
            if (width == 1 && k > 0 && std::abs(x1 - x0) <= 1 && std::abs(y1 - y0) <= 1) {
                rows_[static_cast<size_t>(y1)][x1] = colour;
                continue;
            }
            insideLine(x0, y0, x1, y1, colour, width);
        }
    }
}

void Raster::fill(std::span<const FillBatch> batches) {
    inDrawingOrder(batches, [this](const FillBatch& batch, int figure) {
        fillConvexPolygon(batch.polygons->points(figure), batch.polygons->count(figure), batch.colour);
    });
}

void Raster::insideLine(int x0, int y0, int x1, int y1, QRgb colour, int width) {
    QRgb* const* rows = rows_.data();
    if (x0 == x1 && y0 == y1) {
        rows[y0][x0] = colour;
        if (width > 1) rows[y0 + 1][x0] = colour;
        return;
    }
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    const bool xMajor = dx >= -dy;
    int error = dx + dy;
    for (;;) {
        rows[y0][x0] = colour;
        if (width > 1) {
            if (xMajor) {
                rows[y0 + 1][x0] = colour;
            } else {
                rows[y0][x0 + 1] = colour;
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
    // The first row centre (row + 0.5) at or below each corner: an edge crosses the
    // rows from its upper corner's up to its lower corner's, that one excluded, and the
    // polygon the rows from the least of them up to the greatest, excluded.
    vertexRows_.resize(static_cast<size_t>(count));
    int* cornerRow = vertexRows_.data();
    int firstRow = height_;
    int endRow = 0;
    for (int i = 0; i < count; ++i) {
        if (!finite(points[i])) return;
        const int row = ceilClamped(points[i].y - 0.5, 0, height_);
        cornerRow[i] = row;
        firstRow = std::min(firstRow, row);
        endRow = std::max(endRow, row);
    }
    const int lastRow = endRow - 1;
    if (firstRow > lastRow) return;
    for (int row = firstRow; row <= lastRow; ++row) {
        left_[static_cast<size_t>(row)] = HUGE_VAL;
        right_[static_cast<size_t>(row)] = -HUGE_VAL;
    }
    for (int i = 0, j = count - 1; i < count; j = i++) {
        if (cornerRow[i] == cornerRow[j]) continue;  // no row centre between its ends
        const PixelPoint& p = points[j];
        const PixelPoint& q = points[i];
        const bool down = p.y < q.y;
        const PixelPoint& upper = down ? p : q;
        const PixelPoint& lower = down ? q : p;
        const int rowFrom = std::max(firstRow, down ? cornerRow[j] : cornerRow[i]);
        const int rowTo = std::min(lastRow, (down ? cornerRow[i] : cornerRow[j]) - 1);
        if (rowFrom > rowTo) continue;
        const double slope = (lower.x - upper.x) / (lower.y - upper.y);
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
        const int from = ceilClamped(l - 0.5, 0, width_);
        const int to = floorClamped(r - 0.5, -1, width_ - 1);
        QRgb* line = rows_[static_cast<size_t>(row)];
        for (int x = from; x <= to; ++x) line[x] = colour;
    }
}

}  // namespace sorvath
