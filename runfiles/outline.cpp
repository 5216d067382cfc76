#include "runfiles/outline.h"

#include "runfiles/constants.h"

#include <cmath>

namespace runfiles {

OutlineAngles drawnOutlineAngles(int nv) {
    OutlineAngles angles;
    const double dphi = 2.0 * kPiToEightDecimals / nv;
    double phi = 0.0;
    angles.cosPhi.reserve(static_cast<size_t>(nv) + 1);
    angles.sinPhi.reserve(static_cast<size_t>(nv) + 1);
    for (int k = 0; k <= nv; ++k) {
        angles.cosPhi.push_back(std::cos(phi));
        angles.sinPhi.push_back(std::sin(phi));
        phi += dphi;
    }
    return angles;
}

OutlineAngles exactOutlineAngles(int nv) {
    OutlineAngles angles;
    angles.cosPhi.reserve(static_cast<size_t>(nv) + 1);
    angles.sinPhi.reserve(static_cast<size_t>(nv) + 1);
    for (int k = 0; k <= nv; ++k) {
        const double phi = 2.0 * kPi * k / nv;
        angles.cosPhi.push_back(std::cos(phi));
        angles.sinPhi.push_back(std::sin(phi));
    }
    return angles;
}

}  // namespace runfiles
