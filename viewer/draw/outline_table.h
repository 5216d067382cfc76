// cos and sin of the outline parameter phi_k = k x (2 pi / nv), k = 0 .. nv, built
// by adding the vertex step nv times as the outline walk does, kept per vertex count.
#pragma once

#include <unordered_map>
#include <vector>

namespace sorvath {

struct OutlineAngles {
    std::vector<double> cosPhi;  // nv + 1 entries
    std::vector<double> sinPhi;
};

class OutlineTable {
public:
    const OutlineAngles& angles(int nv);

private:
    std::unordered_map<int, OutlineAngles> byCount_;
    int lastCount_ = 0;
    const OutlineAngles* last_ = nullptr;
};

}  // namespace sorvath
