// The outline's angles as Sorvath draws them (runfiles::drawnOutlineAngles), kept per
// vertex count.
#pragma once

#include "runfiles/outline.h"

#include <unordered_map>

namespace sorvath {

using runfiles::OutlineAngles;

class OutlineTable {
public:
    const OutlineAngles& angles(int nv);

private:
    std::unordered_map<int, OutlineAngles> byCount_;
    int lastCount_ = 0;
    const OutlineAngles* last_ = nullptr;
};

}  // namespace sorvath
