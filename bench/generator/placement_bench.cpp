// Packing 10,000 and 100,000 discs whose bounding circles cover about 40% of
// the rectangle: placement alone (with the cell grid, and the naive scan as the
// reference for the smaller counts) and the whole run (control file to the
// three files). Prints the two counts side by side at the end.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <utility>

#include "generator/particle_shapes.h"
#include "generator/placement.h"
#include "generator/run_driver.h"
#include "tests/support/scratch_folder.h"

using namespace tessark;

namespace {

// Seconds per run of each (what, count), for the summary.
std::map<std::pair<std::string, int>, double> seconds;

// Log-normal discs around radius 1 in a square sized for 40% cover.
ControlRecord discControl(int npart, ParticleTable& sized, std::int32_t& ir) {
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
    generateParticles(c, npart, ir, sized, quiet, error);
    sortBySize(sized);
    double circles = 0.0;
    for (const Particle& p : sized) circles += kPi * p.a * p.a;
    c.xb = c.yb = std::sqrt(circles / 0.4);
    return c;
}

void record(benchmark::State& state, const std::string& what, double wall) {
    seconds[{what, static_cast<int>(state.range(0))}] = wall / static_cast<double>(state.iterations());
}

void placeOnce(benchmark::State& state, OverlapSearch search, const std::string& what) {
    ParticleTable sized;
    std::int32_t ir0 = 0;
    const ControlRecord c = discControl(static_cast<int>(state.range(0)), sized, ir0);
    double wall = 0.0;
    for (auto _ : state) {
        ParticleTable table = sized;
        std::int32_t ir = ir0;
        std::istringstream none;
        std::ostringstream console;
        std::string error;
        const auto start = std::chrono::steady_clock::now();
        if (!placeParticles(c, table, ir, none, console, search, error)) state.SkipWithError(error.c_str());
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(table.data());
    }
    record(state, what, wall);
}

void BM_PlaceCellGrid(benchmark::State& state) { placeOnce(state, OverlapSearch::CellGrid, "placement"); }
void BM_PlaceNaive(benchmark::State& state) { placeOnce(state, OverlapSearch::Naive, "placement, naive scan"); }

// The program's whole run in a folder: control file, sizes, placement,
// statistics and the three files written.
void BM_WholeRun(benchmark::State& state) {
    ParticleTable sized;
    std::int32_t ir = 0;
    const ControlRecord c = discControl(static_cast<int>(state.range(0)), sized, ir);
    toolkit::testing::ScratchFolder folder;
    folder.write("tessctrl.dat", "1 2\n" + std::to_string(c.npart) + " " + std::to_string(c.ntrial) +
                                     "\n1.0 0.1 0 100\n0 0 " + std::to_string(c.xb) + " " + std::to_string(c.yb) +
                                     "\n0\n");
    double wall = 0.0;
    for (auto _ : state) {
        std::istringstream none;
        std::ostringstream console;
        const auto start = std::chrono::steady_clock::now();
        if (runTessark(folder.path(), none, console) != 0) state.SkipWithError("the run stopped");
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    record(state, "whole run", wall);
}

}  // namespace

BENCHMARK(BM_PlaceCellGrid)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_WholeRun)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PlaceNaive)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%-24s %14s %14s %8s\n", "discs at 40% cover", "10,000", "100,000", "ratio");
    for (const char* what : {"placement", "whole run", "placement, naive scan"}) {
        const auto small = seconds.find({what, 10000}), large = seconds.find({what, 100000});
        if (small == seconds.end()) continue;
        if (large == seconds.end()) {
            std::printf("%-24s %12.3f s %14s %8s\n", what, small->second, "-", "-");
        } else {
            std::printf("%-24s %12.3f s %12.3f s %7.1fx\n", what, small->second, large->second,
                        large->second / small->second);
        }
    }
    return 0;
}
