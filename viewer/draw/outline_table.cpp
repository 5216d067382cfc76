#include "viewer/draw/outline_table.h"

#include "viewer/core/scene.h"

#include <cmath>

namespace sorvath {

const OutlineAngles& OutlineTable::angles(int nv) {
    if (last_ != nullptr && nv == lastCount_) return *last_;
    auto [entry, inserted] = byCount_.try_emplace(nv);
    if (inserted) {
        const double dphi = 2.0 * kPi / nv;
        double phi = 0.0;
        entry->second.cosPhi.reserve(static_cast<size_t>(nv) + 1);
        entry->second.sinPhi.reserve(static_cast<size_t>(nv) + 1);
        for (int k = 0; k <= nv; ++k) {
            entry->second.cosPhi.push_back(std::cos(phi));
            entry->second.sinPhi.push_back(std::sin(phi));
            phi += dphi;
        }
    }
    lastCount_ = nv;
    last_ = &entry->second;
    return *last_;
}

}  // namespace sorvath
