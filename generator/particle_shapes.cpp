#include "generator/particle_shapes.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "generator/free_format.h"
#include "generator/random_numbers.h"

namespace tessark {

namespace {

// First value of a fresh normal pair, the re-draw after a rejection.
double redraw(std::int32_t& ir, std::ostream& console) {
    double pair[2];
    NRAND(2, pair, ir, console);
    return pair[0];
}

std::string capMessage(const char* what, const char* bounds, std::size_t index, long cap) {
    return "no " + std::string(what) + " within " + bounds + " after " + std::to_string(cap) + " draws for particle " +
           std::to_string(index + 1) + "; check " + bounds;
}

// Why a particle's radii came out as no number, naming the control values
// that lead there.
std::string sizeFailure(const ControlRecord& c, std::size_t index, double aspect) {
    const std::string text = "the radii of particle " + std::to_string(index + 1) + " cannot be computed";
    if (!(aspect > 0.0)) {
        return text + " from the aspect ratio " + shortestReal(aspect) +
               "; check axismean = " + shortestReal(c.axismean) + ", axissd = " + shortestReal(c.axissd) +
               " and axismin = " + shortestReal(c.axismin);
    }
    return text + " from the drawn size; check wmean = " + shortestReal(c.wmean) + " and wsd = " + shortestReal(c.wsd);
}

}  // namespace

double polygonRadius(double a, std::int32_t nedg) {
    const double n = static_cast<double>(nedg);
    return std::sqrt(2.0 * kPi * a * a / n / std::sin(2.0 * kPi / n));
}

bool generateParticles(const ControlRecord& c, int npart, std::int32_t& ir, ParticleTable& table, std::ostream& console,
                       std::string& error, long rejectionCap) {
    const auto count = static_cast<std::size_t>(npart);
    table.assign(count, Particle{});
    // One extra slot for NRAND's odd-count case, which the even count avoids.
    std::vector<double> aspectDeviates(count + 1), sizeDeviates(count + 1), edgeDeviates(count + 1);
    NRAND(npart, aspectDeviates.data(), ir, console);
    NRAND(npart, sizeDeviates.data(), ir, console);
    if (c.ishape == 1) NRAND(npart, edgeDeviates.data(), ir, console);

    for (std::size_t i = 0; i < count; ++i) {
        Particle& p = table[i];
        double aspect = aspectDeviates[i] * c.axissd + c.axismean;
        double lastB = 0.0;
        long sizeRejections = 0;
        bool aspectAccepted = false;
        for (;;) {
            double bigB = 0.0;
            if (c.isdist == 0) {
                const double w = sizeDeviates[i] * c.wsd + c.wmean;
                if (w < 0.0) {
                    console << FreeLine().text("less than sizemn").real(lastB).real(c.sizemn).str() << '\n';
                    if (++sizeRejections >= rejectionCap) {
                        error = capMessage("size", "sizemn/sizemx", i, rejectionCap);
                        return false;
                    }
                    sizeDeviates[i] = redraw(ir, console);
                    continue;
                }
                bigB = std::sqrt(w);
            } else {
                bigB = std::sqrt(c.wmean * std::exp(sizeDeviates[i] * c.wsd));
            }
            if (!aspectAccepted) {
                long aspectRejections = 0;
                for (;;) {
                    const char* message = nullptr;
                    if (aspect < c.axismin)
                        message = "less than axismin";
                    else if (aspect > c.axismx)
                        message = "GREATER than axismx";
                    if (!message) break;
                    console << ' ' << message << '\n';
                    if (++aspectRejections >= rejectionCap) {
                        error = capMessage("aspect ratio", "axismin/axismx", i, rejectionCap);
                        return false;
                    }
                    aspectDeviates[i] = redraw(ir, console);
                    aspect = aspectDeviates[i] * c.axissd + c.axismean;
                }
                aspectAccepted = true;
            }
            p.a = bigB / std::sqrt(aspect);
            p.b = aspect * p.a;
            lastB = p.b;
            // An infinite b is simply above sizemx and drawn again; no number at
            // all cannot be tested against the bounds.
            if (std::isnan(p.a) || std::isnan(p.b)) {
                error = sizeFailure(c, i, aspect);
                return false;
            }
            // Only the lower bound's line carries b and the bound.
            if (p.b < c.sizemn) {
                console << FreeLine().text("less than sizemn").real(p.b).real(c.sizemn).str() << '\n';
            } else if (p.b > c.sizemx) {
                console << " greater than sizemx\n";
            } else {
                break;
            }
            if (++sizeRejections >= rejectionCap) {
                error = capMessage("size", "sizemn/sizemx", i, rejectionCap);
                return false;
            }
            sizeDeviates[i] = redraw(ir, console);
        }
        p.aspect = aspect;

        if (c.ishape == 1) {
            long edgeRejections = 0;
            for (;;) {
                const double e = edgeDeviates[i] * c.ndgsd + c.ndgmean;
                // Truncation toward zero, kept inside the integer range.
                const double truncated = std::trunc(e);
                const std::int32_t nedg =
                    std::isnan(truncated)
                        ? 0
                        : static_cast<std::int32_t>(std::clamp(truncated, -2147483648.0, 2147483647.0));
                const char* message = nullptr;
                if (nedg < c.ndgmn)
                    message = "less than ndgmn";
                else if (nedg > c.ndgmx)
                    message = "greater than ndgmx";
                if (!message) {
                    p.nedg = nedg;
                    break;
                }
                console << ' ' << message << '\n';
                if (++edgeRejections >= rejectionCap) {
                    error = capMessage("edge count", "ndgmn/ndgmx", i, rejectionCap);
                    return false;
                }
                edgeDeviates[i] = redraw(ir, console);
            }
            p.a = p.b = polygonRadius(p.a, p.nedg);
            if (!std::isfinite(p.a)) {
                error = "the polygon radius of particle " + std::to_string(i + 1) +
                        " cannot be computed for nedg = " + std::to_string(p.nedg) +
                        "; check ndgmn = " + std::to_string(c.ndgmn) + ", ndgmean and ndgsd";
                return false;
            }
        }
    }
    return true;
}

void sortBySize(ParticleTable& table) {
    const bool anyNaN = std::any_of(table.begin(), table.end(), [](const Particle& p) { return std::isnan(p.a); });
    if (!anyNaN) {
        // The order of a stable sort by a, largest first: keys of a and the
        // generation index are sorted, and each particle is moved once.
        struct Key {
            double a;
            std::size_t index;
        };
        std::vector<Key> keys(table.size());
        for (std::size_t i = 0; i < table.size(); ++i) keys[i] = {table[i].a, i};
        std::sort(keys.begin(), keys.end(),
                  [](const Key& l, const Key& r) { return l.a > r.a || (l.a == r.a && l.index < r.index); });
        ParticleTable sorted;
        sorted.reserve(table.size());
        for (const Key& k : keys) sorted.push_back(table[k.index]);
        table = std::move(sorted);
    } else {
        // Insertion in front of the first sorted particle whose a is strictly smaller.
        for (std::size_t i = 1; i < table.size(); ++i) {
            const Particle moving = table[i];
            std::size_t at = 0;
            while (at < i && !(table[at].a < moving.a)) ++at;
            std::move_backward(table.begin() + static_cast<std::ptrdiff_t>(at),
                               table.begin() + static_cast<std::ptrdiff_t>(i),
                               table.begin() + static_cast<std::ptrdiff_t>(i + 1));
            table[at] = moving;
        }
    }
    for (Particle& p : table) p.sortedA = p.a;
}

std::string sizeListText(const ParticleTable& table) {
    std::string text;
    // An index and a shortest real of up to 24 characters, blanks and line end.
    text.reserve(table.size() * 40);
    for (std::size_t i = 0; i < table.size(); ++i) {
        appendFreeInteger(text, static_cast<std::int64_t>(i + 1));
        appendFreeReal(text, table[i].a);
        text.push_back('\n');
    }
    return text;
}

}  // namespace tessark
