// drawscene alone (the scene already read): pictures per second of 10,000 and 100,000
// particles side by side, with colour on at the 533-pixel picture for outlines of 20
// and 100 points, and with colour on and the contact lines at a 1000 x 1000 picture.
//
//   build/bench/viewer_drawscene_bench
#include "bench/viewer/bench_run.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace sorvath {
namespace {

// particles, outline points, picture size, contact lines
void BM_Drawscene(benchmark::State& state) {
    const int particles = static_cast<int>(state.range(0));
    const int nv = static_cast<int>(state.range(1));
    const int size = static_cast<int>(state.range(2));
    testing::BenchRun run(particles, 3, size, nv);
    if (state.range(3) == 0) run.session().options().contactDisplay = ContactDisplay::No;
    if (!run.open()) {
        state.SkipWithError("run did not open");
        return;
    }
    for (auto _ : state) {
        run.draw();
        benchmark::DoNotOptimize(run.picture().image().constBits());
    }
    state.counters["pictures/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["contacts"] = run.session().scene().nctot;
}
BENCHMARK(BM_Drawscene)
    ->ArgNames({"particles", "nv", "size", "lines"})
    ->Args({10000, 20, 533, 0})
    ->Args({100000, 20, 533, 0})
    ->Args({10000, 100, 533, 0})
    ->Args({100000, 100, 533, 0})
    ->Args({10000, 20, 1000, 1})
    ->Args({100000, 20, 1000, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorvath

BENCHMARK_MAIN();
