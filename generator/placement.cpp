#include "generator/placement.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "generator/cell_grid.h"
#include "generator/fixed_layout.h"
#include "generator/free_format.h"
#include "generator/operator_pause.h"
#include "generator/random_numbers.h"

namespace tessark {

namespace {

struct Region {
    double xmin, xmax, ymin, ymax, width, height;
};

// The tests that do not depend on other particles, in their fixed order.
bool insideRegion(double x, double y, double a, const Region& r, const std::vector<LineConstraint>& lines) {
    if (!(x - a > r.xmin)) return false;
    if (!(x + a < r.xmax)) return false;
    if (!(y - a > r.ymin)) return false;
    if (!(y + a < r.ymax)) return false;
    for (const LineConstraint& line : lines) {
        const double d = std::fabs(x * line.lslope - y + line.lcept) / std::sqrt(line.lslope * line.lslope + 1.0);
        if (!(d > a)) return false;
        if (!((y - (x * line.lslope + line.lcept)) * static_cast<double>(line.lside) > 0.0)) return false;
    }
    return true;
}

bool overlapsPlaced(double x, double y, double a, const ParticleTable& table, std::size_t placed) {
    for (std::size_t k = 0; k < placed; ++k) {
        const Particle& q = table[k];
        const double sum = q.a + a;
        if (!((y - q.y) * (y - q.y) + (x - q.x) * (x - q.x) >= sum * sum)) return true;
    }
    return false;
}

double uniform(std::int32_t& ir, std::ostream& console) {
    double u = 0.0;
    URAND1(1, &u, ir, console);
    return u;
}

}  // namespace

bool placeParticles(const ControlRecord& c, ParticleTable& table, std::int32_t& ir, std::istream& operatorInput,
                    std::ostream& console, OverlapSearch search, std::string& error, std::ostream* pauseHint) {
    const Region region{std::min(c.xa, c.xb), std::max(c.xa, c.xb),   std::min(c.ya, c.yb),
                        std::max(c.ya, c.yb), std::fabs(c.xa - c.xb), std::fabs(c.ya - c.yb)};
    static const FixedLayout radiiLine = layoutOf("(' ',A,2(3X,E15.7))");

    std::optional<CellGrid> grid;
    if (search == OverlapSearch::CellGrid && !table.empty()) {
        grid.emplace(region.xmin, region.xmax, region.ymin, region.ymax, table.front().a, table.size());
    }

    std::string numberLine;
    for (std::size_t i = 0; i < table.size(); ++i) {
        Particle& p = table[i];
        // The record (' ',A,I10) of the particle's number, written at once.
        numberLine.assign(" NUMBER OF PARTICLE=");
        numberLine += formatInteger(static_cast<std::int64_t>(i + 1), 10);
        numberLine += '\n';
        console.write(numberLine.data(), static_cast<std::streamsize>(numberLine.size()));
        const double theta = uniform(ir, console) * kPi - kPi * 0.5;
        for (;;) {
            const bool useGrid = grid && grid->usableFor(p.a);
            bool placed = false;
            for (std::int32_t trial = 0; trial < c.ntrial; ++trial) {
                const double x = region.width * uniform(ir, console) + region.xmin;
                const double y = region.height * uniform(ir, console) + region.ymin;
                if (!insideRegion(x, y, p.a, region, c.lines)) continue;
                const bool overlaps = useGrid ? grid->overlapsAny(x, y, p.a) : overlapsPlaced(x, y, p.a, table, i);
                if (overlaps) continue;
                p.x = x;
                p.y = y;
                p.theta = theta;
                placed = true;
                break;
            }
            if (placed) break;

            console << " CAN NOT FIND ADIQUATE POSITION\n"
                    << radiiLine.format({std::string_view("a,b="), p.a, p.b}) << '\n';
            console.flush();
            if (pauseHint != nullptr) *pauseHint << kPauseHint << std::endl;
            if (!waitForOperatorNumber(operatorInput, error)) {
                error = "particle " + std::to_string(i + 1) + " could not be placed and " + error;
                return false;
            }
            double pair[2];
            NRAND(2, pair, ir, console);
            double aspect = std::exp(pair[0] - 1.0) * c.axissd + c.axismean;
            if (aspect > 1.0) aspect = 1.0 / aspect;
            p.b = std::exp(pair[1] - 1.0) * c.wsd + c.wmean;
            p.a = p.b / aspect;
            // A circle without a finite radius fits nowhere: every later pass
            // would fail too.
            if (!std::isfinite(p.a) || !std::isfinite(p.b)) {
                error =
                    "the new radii of particle " + std::to_string(i + 1) + " after a failed pass cannot be computed";
                error += std::isfinite(p.b)
                             ? " from the aspect ratio " + shortestReal(aspect) +
                                   "; check axismean = " + shortestReal(c.axismean) +
                                   " and axissd = " + shortestReal(c.axissd)
                             : "; check wmean = " + shortestReal(c.wmean) + " and wsd = " + shortestReal(c.wsd);
                return false;
            }
        }
        if (grid) grid->insert(p);
    }
    return true;
}

}  // namespace tessark
