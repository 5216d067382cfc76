// A run folder of LAMMPS dumps written by a program, as large as asked: a lattice of
// discs (columns x rows), each touching its right-hand neighbour, the bottom row on the
// bottom wall, wobbling a little from dump to dump; its packing, its setup and its
// particle and pair dumps, in one file each or split over ranks (every rank holding every
// ranks-th particle and pair, so ids come out of order). The conversion benchmark and the
// test that pins the converted files both write their runs with it.
#pragma once

#include <cstddef>
#include <filesystem>

namespace demrun::testing {

struct SyntheticRunShape {
    int columns = 100;
    int rows = 100;
    int dumps = 1000;
    int ranks = 1;  // 1: one file per dump; more: "name.0", "name.1", ...
};

struct SyntheticRunSize {
    std::size_t dumpBytes = 0;    // dump text of the whole run
    std::size_t largestStep = 0;  // dump text of its largest timestep (particles and pairs)
};

SyntheticRunSize writeSyntheticRun(const std::filesystem::path& folder, const SyntheticRunShape& shape);

}  // namespace demrun::testing
