// A particle's outline in world coordinates: vertex k of nv lies at the outline
// parameter phi_k on the ellipse of semi-axes a, b turned by theta about the centre
// (x + xadd, y); vertex nv closes the outline on vertex 0, and the orientation mark
// runs from the centre to it.
#pragma once

#include "runfiles/outline.h"
#include "viewer/core/scene.h"
#include "viewer/draw/outline_table.h"

#include <cmath>

namespace sorvath {

class ParticleOutline {
public:
    // The nv + 1 vertices, each passed through map(x, y) into out[0 .. nv].
    template <typename Point, typename Map>
    void trace(const Particle& particle, double xadd, Map&& map, Point* out) {
        const int nv = particle.nv;
        const OutlineAngles& angles = table_.angles(nv);
        const double cosTheta = std::cos(particle.current.theta);
        const double sinTheta = std::sin(particle.current.theta);
        const double x = particle.current.x + xadd;
        const double y = particle.current.y;
        const double a = particle.a;
        const double b = particle.b;
        for (int k = 0; k <= nv; ++k) {
            const runfiles::Point p =
                runfiles::placedPoint(runfiles::ownFramePoint(a, b, angles.cosPhi[static_cast<size_t>(k)],
                                                              angles.sinPhi[static_cast<size_t>(k)]),
                                      x, y, cosTheta, sinTheta);
            out[k] = map(p.x, p.y);
        }
    }

private:
    OutlineTable table_;
};

}  // namespace sorvath
