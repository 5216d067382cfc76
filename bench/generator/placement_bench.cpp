// Placement of 2,000 / 10,000 / 20,000 discs whose bounding circles cover
// about 40% of the rectangle, with the cell grid and with the naive scan.
#include <benchmark/benchmark.h>

#include <cmath>
#include <sstream>

#include "generator/particle_shapes.h"
#include "generator/placement.h"

using namespace tessark;

namespace {

void placeOnce(benchmark::State& state, OverlapSearch search) {
    const int npart = static_cast<int>(state.range(0));
    ControlRecord c;
    c.isdist = 1;
    c.ishape = 2;
    c.npart = npart;
    c.ntrial = 100000000;
    c.wmean = 1.0;
    c.wsd = 0.1;
    c.sizemn = 0.0;
    c.sizemx = 100.0;
    c.ndgmean = 3.5;
    std::ostringstream quiet;
    std::string error;
    std::int32_t ir0 = 0;
    ParticleTable sized;
    generateParticles(c, npart, ir0, sized, quiet, error);
    sortBySize(sized);
    double circles = 0.0;
    for (const Particle& p : sized) circles += kPi * p.a * p.a;
    const double side = std::sqrt(circles / 0.4);
    c.xb = side;
    c.yb = side;
    for (auto _ : state) {
        ParticleTable table = sized;
        std::int32_t ir = ir0;
        std::istringstream none;
        std::ostringstream console;
        if (!placeParticles(c, table, ir, none, console, search, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(table.data());
    }
}

void BM_PlaceCellGrid(benchmark::State& state) { placeOnce(state, OverlapSearch::CellGrid); }
void BM_PlaceNaive(benchmark::State& state) { placeOnce(state, OverlapSearch::Naive); }

}  // namespace

BENCHMARK(BM_PlaceCellGrid)->Arg(2000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PlaceNaive)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
