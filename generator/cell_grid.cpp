#include "generator/cell_grid.h"

#include <algorithm>
#include <cmath>

namespace tessark {

namespace {

// The overlap test of the full scan, on one placed circle.
inline bool overlaps(double x, double y, double a, double qx, double qy, double qa) {
    const double sum = qa + a;
    return !((y - qy) * (y - qy) + (x - qx) * (x - qx) >= sum * sum);
}

}  // namespace

CellGrid::CellGrid(double xmin, double xmax, double ymin, double ymax, double largestRadius, std::size_t capacity)
    : xmin_(xmin), ymin_(ymin), cell_(2.0 * largestRadius) {
    const double width = xmax - xmin;
    const double height = ymax - ymin;
    coordinateScale_ = std::fabs(xmin) + std::fabs(xmax) + std::fabs(ymin) + std::fabs(ymax);
    if (!(cell_ > 0.0) || !std::isfinite(cell_) || !std::isfinite(width) || !std::isfinite(height) ||
        !std::isfinite(coordinateScale_)) {
        enabled_ = false;
        return;
    }
    // Keep the table near the particle count (two cells, 128 bytes, a
    // particle at most) even when the rectangle is large against the particles.
    const double maxCells = 2.0 * static_cast<double>(capacity) + 64.0;
    while ((std::floor(width / cell_) + 1.0) * (std::floor(height / cell_) + 1.0) > maxCells) cell_ *= 2.0;
    columns_ = static_cast<std::int64_t>(std::floor(width / cell_)) + 1;
    rows_ = static_cast<std::int64_t>(std::floor(height / cell_)) + 1;
    cells_.resize(static_cast<std::size_t>(columns_ * rows_));
}

bool CellGrid::usableFor(double a) const { return enabled_ && a >= 0.0 && std::isfinite(a); }

std::int64_t CellGrid::column(double x) const {
    const double c = std::floor((x - xmin_) / cell_);
    return static_cast<std::int64_t>(std::clamp(c, 0.0, static_cast<double>(columns_ - 1)));
}

std::int64_t CellGrid::row(double y) const {
    const double r = std::floor((y - ymin_) / cell_);
    return static_cast<std::int64_t>(std::clamp(r, 0.0, static_cast<double>(rows_ - 1)));
}

void CellGrid::insert(const Particle& p) {
    if (!enabled_) return;
    if (!(p.a >= 0.0) || !std::isfinite(p.a) || !std::isfinite(p.x) || !std::isfinite(p.y)) {
        // Such a circle cannot be bounded by the cells; the callers scan instead.
        enabled_ = false;
        return;
    }
    largestPlaced_ = std::max(largestPlaced_, p.a);
    Cell& cell = cells_[static_cast<std::size_t>(row(p.y) * columns_ + column(p.x))];
    const Circle circle{p.x, p.y, p.a};
    if (cell.count < kCellCircles) {
        cell.circles[cell.count] = circle;
    } else {
        further_.push_back({circle, cell.further});
        cell.further = static_cast<std::int32_t>(further_.size() - 1);
    }
    ++cell.count;
}

bool CellGrid::overlapsAny(double x, double y, double a) const {
    // Every particle that can fail the test lies within ak + a <= reach in
    // both coordinates; the margin covers rounding in the test and in the
    // cell arithmetic.
    const double reach = a + largestPlaced_;
    const double margin = 1e-9 * (reach + coordinateScale_ + std::fabs(x) + std::fabs(y));
    const double r = reach + margin;
    const std::int64_t c0 = column(x - r), c1 = column(x + r);
    const std::int64_t r0 = row(y - r), r1 = row(y + r);
    // The cells are far apart in memory, a row's run from the next row's:
    // all are asked for at once, so their loads overlap.
    for (std::int64_t rr = r0; rr <= r1; ++rr) {
        for (std::int64_t cc = c0; cc <= c1; ++cc) __builtin_prefetch(cells_.data() + rr * columns_ + cc);
    }
    for (std::int64_t rr = r0; rr <= r1; ++rr) {
        const Cell* rowCells = cells_.data() + rr * columns_;
        for (std::int64_t cc = c0; cc <= c1; ++cc) {
            const Cell& cell = rowCells[cc];
            const int held = std::min<std::int32_t>(cell.count, kCellCircles);
            for (int k = 0; k < held; ++k) {
                const Circle& q = cell.circles[k];
                if (overlaps(x, y, a, q.x, q.y, q.a)) return true;
            }
            for (std::int32_t k = cell.further; k >= 0; k = further_[static_cast<std::size_t>(k)].next) {
                const Circle& q = further_[static_cast<std::size_t>(k)].circle;
                if (overlaps(x, y, a, q.x, q.y, q.a)) return true;
            }
        }
    }
    return false;
}

}  // namespace tessark
