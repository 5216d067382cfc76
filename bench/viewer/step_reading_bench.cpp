// Reading and playing runs of 10,000 and 100,000 particles side by side:
// - BM_StepBlockReading: output step blocks alone through outdraw (text bytes per second);
// - BM_OpenRun: opening a run with its wall and contact files, colour on and the contact
//   lines drawn, to its first picture at 1000 x 1000 pixels (seconds per opening);
// - BM_Play: the animation's tick with the same switches, one step block with its wall
//   and contact blocks read and the picture drawn (pictures per second); the read and
//   draw counters split each tick's processor time (the figures are processor time too, so
//   a busy machine changes them less than the wall clock).
//
//   build/bench/viewer_step_reading_bench
#include "bench/viewer/bench_run.h"
#include "tests/viewer/support/picture_window.h"
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/core/result_reader.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>

namespace sorvath {
namespace {

// Processor time of the process, in seconds.
double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

constexpr int kPictureSize = 1000;

void BM_StepBlockReading(benchmark::State& state) {
    const int particles = static_cast<int>(state.range(0));
    constexpr int kSteps = 23;
    testing::TempFolder folder;
    const testing::ResultRun run = testing::latticeRun(particles, kSteps);
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
BENCHMARK(BM_StepBlockReading)->ArgName("particles")->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_OpenRun(benchmark::State& state) {
    testing::BenchRun run(static_cast<int>(state.range(0)), 4, kPictureSize);
    for (auto _ : state) {
        if (!run.open()) {
            state.SkipWithError("run did not open");
            return;
        }
    }
    state.counters["contacts"] = run.session().scene().nctot;
}
BENCHMARK(BM_OpenRun)->ArgName("particles")->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Play(benchmark::State& state) {
    constexpr int kSteps = 24;
    testing::BenchRun run(static_cast<int>(state.range(0)), kSteps, kPictureSize);
    if (!run.open()) {
        state.SkipWithError("run did not open");
        return;
    }
    ViewerSession& session = run.session();
    session.startAnimation();
    double reading = 0.0;
    double drawing = 0.0;
    for (auto _ : state) {
        if (session.playback().atEnd()) {
            state.PauseTiming();
            session.restart();
            session.startAnimation();
            state.ResumeTiming();
        }
        const double start = processorSeconds();
        const ViewerState ticked = session.tick();
        const double read = processorSeconds();
        if (ticked.picture != PictureChange::Redrawn) std::abort();
        run.draw();
        benchmark::DoNotOptimize(run.picture().image().constBits());
        reading += read - start;
        drawing += processorSeconds() - read;
    }
    const auto perTick = [&state](double seconds) { return 1e3 * seconds / static_cast<double>(state.iterations()); };
    state.counters["pictures/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["read_ms"] = perTick(reading);
    state.counters["draw_ms"] = perTick(drawing);
    state.counters["MB/step"] =
        static_cast<double>(run.files().stepBytes + run.files().contactStepBytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_Play)->ArgName("particles")->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorvath

BENCHMARK_MAIN();
