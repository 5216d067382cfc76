// drawscene of 10,000 particles with colour on: pictures per second for a vertex count.
#include "tests/viewer/support/result_run_writer.h"
#include "viewer/draw/scene_picture.h"

#include <benchmark/benchmark.h>

namespace sorvath {
namespace {

void BM_Drawscene(benchmark::State& state) {
    constexpr int kParticles = 10000;
    const int nv = static_cast<int>(state.range(0));
    const testing::ResultRun run = testing::latticeRun(kParticles, 2, nv);
    Scene scene;
    scene.source = SourceMode::Output;
    scene.nop = kParticles;
    for (int i = 1; i <= kParticles; ++i) {
        Particle& p = scene.particles[static_cast<size_t>(i)];
        const testing::Shape& shape = run.shapes[static_cast<size_t>(i - 1)];
        p.a = shape.a;
        p.b = shape.b;
        p.nv = static_cast<int16_t>(shape.nv);
        p.previous = run.steps[0].poses[static_cast<size_t>(i - 1)];
        p.current = run.steps[1].poses[static_cast<size_t>(i - 1)];
    }
    scene.nwall = 4;
    for (int j = 1; j <= 4; ++j) scene.walls[static_cast<size_t>(j)] = run.walls[static_cast<size_t>(j - 1)];
    scene.xmin = scene.ymin = 0.0;
    scene.xmax = scene.ymax = run.walls[1].x2;
    ViewOptions options;
    options.colour = true;
    ScenePicture picture;
    picture.setscale(scene);
    for (auto _ : state) {
        picture.clear();
        picture.drawscene(scene, options);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
    state.counters["pictures/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Drawscene)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sorvath

BENCHMARK_MAIN();
