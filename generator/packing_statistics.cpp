#include "generator/packing_statistics.h"

#include <algorithm>
#include <cmath>

#include "generator/free_format.h"

namespace tessark {

namespace {

double lowerBound(int k, double low, double width) { return static_cast<double>(k) * width + low; }

}  // namespace

int classOf(double value, double low, double width) {
    if (width > 0.0 && std::isfinite(width) && std::isfinite(low) && std::isfinite(value)) {
        // The bounds rise with k (an upper bound is the next class's lower
        // bound), so at most one class holds the value: walk to it from the
        // class its distance from low suggests.
        const double estimate = std::floor((value - low) / width);
        int k = static_cast<int>(std::clamp(estimate, 0.0, static_cast<double>(kStatisticsClasses - 1)));
        while (k > 0 && value < lowerBound(k, low, width)) --k;
        while (k < kStatisticsClasses - 1 && !(value < lowerBound(k + 1, low, width))) ++k;
        return lowerBound(k, low, width) <= value && value < lowerBound(k + 1, low, width) ? k : -1;
    }
    for (int k = 0; k < kStatisticsClasses; ++k) {
        const double lower = static_cast<double>(k) * width + low;
        const double upper = static_cast<double>(k + 1) * width + low;
        if (lower <= value && value < upper) return k;
    }
    return -1;
}

PackingStatistics computeStatistics(const ControlRecord& c, const ParticleTable& table) {
    PackingStatistics s;
    if (table.empty()) return s;
    const double first = table.front().a;
    const double last = table.back().a;
    s.rsmax = first + 0.05 * (first - last);
    s.rsmin = last - 0.05 * (first - last);
    s.dr = (s.rsmax - s.rsmin) / kStatisticsClasses;
    s.dax = (1.0 - c.axismin) / kStatisticsClasses;
    for (const Particle& p : table) {
        const double area = kPi * p.a * p.b;
        s.sums += area;
        // Equivalent radius: sqrt(a*b) for unequal radii; a polygon keeps the
        // radius it was sorted with, before any replacement.
        double rs = p.a;
        if (p.a != p.b)
            rs = std::sqrt(p.a * p.b);
        else if (c.ishape == 1)
            rs = p.sortedA;
        const int wk = classOf(rs, s.rsmin, s.dr);
        if (wk >= 0) s.weight[static_cast<std::size_t>(wk)] += area;
        const int dk = classOf(p.a, s.rsmin, s.dr);
        if (dk >= 0) ++s.counts[static_cast<std::size_t>(dk)];
        const int ak = classOf(p.aspect, c.axismin, s.dax);
        if (ak >= 0) ++s.aspectCounts[static_cast<std::size_t>(ak)];
    }
    for (const double w : s.weight) s.tarea2 += w;
    return s;
}

std::string statisticsProblem(const ControlRecord& c, const ParticleTable& table, const PackingStatistics& s) {
    const std::string sizes = "check wmean = " + shortestReal(c.wmean) + ", wsd = " + shortestReal(c.wsd) +
                              ", sizemn = " + shortestReal(c.sizemn) + " and sizemx = " + shortestReal(c.sizemx);
    if (s.sums == 0.0) {
        return "the particles have no area (SUM OF S= 0), so the weight fractions cannot be computed; " + sizes;
    }
    if (!std::isfinite(s.sums)) {
        return "the total area of the particles (SUM OF S= " + shortestReal(s.sums) +
               ") is beyond the range of a real; " + sizes;
    }
    bool finite = std::isfinite(2.0 * s.rsmin) && std::isfinite(2.0 * s.rsmax) && std::isfinite(s.tarea2);
    double running = 0.0;
    for (int k = 0; k < kStatisticsClasses; ++k) {
        running += s.weight[static_cast<std::size_t>(k)];
        finite = finite && std::isfinite(2.0 * s.upper(k)) &&
                 std::isfinite(s.weight[static_cast<std::size_t>(k)] / s.sums) && std::isfinite(running / s.sums);
    }
    if (!finite) {
        return "the size classes from the largest a = " + shortestReal(table.front().a) +
               " to the smallest a = " + shortestReal(table.back().a) + " cannot be computed; " + sizes;
    }
    return {};
}

}  // namespace tessark
