// Reading step blocks of a 10,000-particle run: text bytes per second through outdraw.
#include "tests/viewer/support/picture_window.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/result_reader.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace sorvath {
namespace {

void BM_StepBlockReading(benchmark::State& state) {
    constexpr int kParticles = 10000;
    constexpr int kSteps = 23;
    testing::TempFolder folder;
    const testing::ResultRun run = testing::latticeRun(kParticles, kSteps);
    const std::string text = testing::outputFileText(run, testing::RecordLayout::Long);
    testing::ResultRun opening = run;
    opening.steps.resize(3);
    const auto stepBytes =
        static_cast<int64_t>(text.size() - testing::outputFileText(opening, testing::RecordLayout::Long).size());
    testing::writeTextFile(folder.path() / "output.dat", text);

    Scene scene;
    ViewOptions options;
    testing::PictureWindow window;  // reads only: draws nothing
    window.path = folder.file("output.dat");
    ViewerState shown;
    ResultReader reader(scene, options, window, window, shown);
    if (!reader.openOutputFile()) {
        state.SkipWithError("run did not open");
        return;
    }
    int64_t steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        reader.reopenresults();
        state.ResumeTiming();
        while (!reader.outputAtEnd()) {
            if (reader.outdraw() != OutdrawResult::Read) std::abort();
            ++steps;
        }
    }
    state.SetBytesProcessed(stepBytes * state.iterations());
    state.counters["steps/s"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StepBlockReading)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorvath

BENCHMARK_MAIN();
