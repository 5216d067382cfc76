#include "generator/particle_shapes.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "generator/free_format.hpp"
#include "generator/random_numbers.hpp"

namespace tessark {

namespace {

// First value of a fresh normal pair, the re-draw after a rejection.
double redraw(std::int32_t& ir, std::ostream& console) {
  double pair[2];
  NRAND(2, pair, ir, console);
  return pair[0];
}

std::string capMessage(const char* what, const char* bounds, std::size_t index) {
  return "no " + std::string(what) + " within " + bounds + " after " + std::to_string(kRejectionCap) +
         " draws for particle " + std::to_string(index + 1) + "; check " + bounds;
}

}  // namespace

double polygonRadius(double a, std::int32_t nedg) {
  const double n = static_cast<double>(nedg);
  return std::sqrt(2.0 * kPi * a * a / n / std::sin(2.0 * kPi / n));
}

bool generateParticles(const ControlRecord& c, int npart, std::int32_t& ir, ParticleTable& table,
                       std::ostream& console, std::string& error) {
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
          if (++sizeRejections >= kRejectionCap) {
            error = capMessage("size", "sizemn/sizemx", i);
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
          if (aspect < c.axismin) message = "less than axismin";
          else if (aspect > c.axismx) message = "GREATER than axismx";
          if (!message) break;
          console << ' ' << message << '\n';
          if (++aspectRejections >= kRejectionCap) {
            error = capMessage("aspect ratio", "axismin/axismx", i);
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
      const char* message = nullptr;
      double bound = 0.0;
      if (p.b < c.sizemn) {
        message = "less than sizemn";
        bound = c.sizemn;
      } else if (p.b > c.sizemx) {
        message = "greater than sizemx";
        bound = c.sizemx;
      }
      if (!message) break;
      console << FreeLine().text(message).real(p.b).real(bound).str() << '\n';
      if (++sizeRejections >= kRejectionCap) {
        error = capMessage("size", "sizemn/sizemx", i);
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
            std::isnan(truncated) ? 0
                                  : static_cast<std::int32_t>(std::clamp(truncated, -2147483648.0, 2147483647.0));
        const char* message = nullptr;
        if (nedg < c.ndgmn) message = "less than ndgmn";
        else if (nedg > c.ndgmx) message = "greater than ndgmx";
        if (!message) {
          p.nedg = nedg;
          break;
        }
        console << ' ' << message << '\n';
        if (++edgeRejections >= kRejectionCap) {
          error = capMessage("edge count", "ndgmn/ndgmx", i);
          return false;
        }
        edgeDeviates[i] = redraw(ir, console);
      }
      p.a = p.b = polygonRadius(p.a, p.nedg);
    }
  }
  return true;
}

void sortBySize(ParticleTable& table) {
  const bool anyNaN = std::any_of(table.begin(), table.end(), [](const Particle& p) { return std::isnan(p.a); });
  if (!anyNaN) {
    std::stable_sort(table.begin(), table.end(), [](const Particle& l, const Particle& r) { return l.a > r.a; });
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

void writeSizeList(const ParticleTable& table, std::ostream& out) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    out << FreeLine().integer(static_cast<std::int64_t>(i + 1)).real(table[i].a).str() << '\n';
  }
}

}  // namespace tessark
