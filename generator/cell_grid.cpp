#include "generator/cell_grid.h"

#include <algorithm>
#include <cmath>

namespace tessark {

CellGrid::CellGrid(double xmin, double xmax, double ymin, double ymax, double largestRadius, std::size_t capacity)
    : xmin_(xmin), ymin_(ymin), cell_(2.0 * largestRadius), next_(capacity, -1) {
    const double width = xmax - xmin;
    const double height = ymax - ymin;
    coordinateScale_ = std::fabs(xmin) + std::fabs(xmax) + std::fabs(ymin) + std::fabs(ymax);
    if (!(cell_ > 0.0) || !std::isfinite(cell_) || !std::isfinite(width) || !std::isfinite(height) ||
        !std::isfinite(coordinateScale_)) {
        enabled_ = false;
        return;
    }
    // Keep the table near the particle count even when the rectangle is large
    // against the particles.
    const double maxCells = 4.0 * static_cast<double>(capacity) + 64.0;
    while ((std::floor(width / cell_) + 1.0) * (std::floor(height / cell_) + 1.0) > maxCells) cell_ *= 2.0;
    columns_ = static_cast<std::int64_t>(std::floor(width / cell_)) + 1;
    rows_ = static_cast<std::int64_t>(std::floor(height / cell_)) + 1;
    head_.assign(static_cast<std::size_t>(columns_ * rows_), -1);
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

void CellGrid::insert(std::size_t index, const Particle& p) {
    if (!enabled_) return;
    if (!(p.a >= 0.0) || !std::isfinite(p.a) || !std::isfinite(p.x) || !std::isfinite(p.y)) {
        // Such a circle cannot be bounded by the cells; the callers scan instead.
        enabled_ = false;
        return;
    }
    largestPlaced_ = std::max(largestPlaced_, p.a);
    const auto cell = static_cast<std::size_t>(row(p.y) * columns_ + column(p.x));
    next_[index] = head_[cell];
    head_[cell] = static_cast<std::int32_t>(index);
}

bool CellGrid::overlapsAny(double x, double y, double a, const ParticleTable& table) const {
    // Every particle that can fail the test lies within ak + a <= reach in
    // both coordinates; the margin covers rounding in the test and in the
    // cell arithmetic.
    const double reach = a + largestPlaced_;
    const double margin = 1e-9 * (reach + coordinateScale_ + std::fabs(x) + std::fabs(y));
    const double r = reach + margin;
    const std::int64_t c0 = column(x - r), c1 = column(x + r);
    const std::int64_t r0 = row(y - r), r1 = row(y + r);
    for (std::int64_t rr = r0; rr <= r1; ++rr) {
        for (std::int64_t cc = c0; cc <= c1; ++cc) {
            for (std::int32_t k = head_[static_cast<std::size_t>(rr * columns_ + cc)]; k >= 0;
                 k = next_[static_cast<std::size_t>(k)]) {
                const Particle& q = table[static_cast<std::size_t>(k)];
                const double sum = q.a + a;
                if (!((y - q.y) * (y - q.y) + (x - q.x) * (x - q.x) >= sum * sum)) return true;
            }
        }
    }
    return false;
}

}  // namespace tessark
