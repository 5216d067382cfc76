// A particle's outline: nv points (a cos phi_k, b sin phi_k) in the particle's own frame,
// turned by its angle theta and moved to its centre. Sorvath draws and prints this
// polygon (an ellipse or a regular polygon); demrun builds its clumps on it.
#pragma once

#include <vector>

namespace runfiles {

struct Point {
    double x = 0.0;
    double y = 0.0;
};

// cos and sin of phi_k for k = 0 .. nv (the last entry closes the outline).
struct OutlineAngles {
    std::vector<double> cosPhi;
    std::vector<double> sinPhi;
};

// As Sorvath draws: phi_k reached by adding the step 2 pi / nv k times, with pi to eight
// decimals (kPiToEightDecimals); the pictures depend on these exact values.
OutlineAngles drawnOutlineAngles(int nv);
// As demrun builds clumps: phi_k = 2 pi k / nv with the exact pi.
OutlineAngles exactOutlineAngles(int nv);

// The outline point of angle parameter phi in the particle's own frame.
inline Point ownFramePoint(double a, double b, double cosPhi, double sinPhi) { return {a * cosPhi, b * sinPhi}; }

// A point of the particle's own frame placed in the world: turned by theta (given by its
// cos and sin) and moved to (x, y).
inline Point placedPoint(Point own, double x, double y, double cosTheta, double sinTheta) {
    return {x + own.x * cosTheta - own.y * sinTheta, y + own.x * sinTheta + own.y * cosTheta};
}

}  // namespace runfiles
