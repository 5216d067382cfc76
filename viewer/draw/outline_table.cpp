#include "viewer/draw/outline_table.h"

namespace sorvath {

const OutlineAngles& OutlineTable::angles(int nv) {
    if (last_ != nullptr && nv == lastCount_) return *last_;
    auto [entry, inserted] = byCount_.try_emplace(nv);
    if (inserted) entry->second = runfiles::drawnOutlineAngles(nv);
    lastCount_ = nv;
    last_ = &entry->second;
    return *last_;
}

}  // namespace sorvath
