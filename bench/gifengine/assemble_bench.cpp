// Loading 1000 GIF files into frame records and writing them as one animation.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench_inputs.h"
#include "gif_builder.h"
#include "gifengine/gif_engine.h"
#include "gifengine/gif_writer.h"

namespace {

// Any message means the run did not do the work it claims to measure.
class FailingReporter final : public gifengine::Reporter {
public:
    gifengine::MessageAnswer ShowMessage(std::string_view caption, std::string_view text,
                                         gifengine::MessageButtons) override {
        std::fprintf(stderr, "unexpected message %.*s: %.*s\n", int(caption.size()), caption.data(), int(text.size()),
                     text.data());
        std::abort();
    }
};

struct Inputs {
    gifengine::testing::TempFolder folder;
    std::vector<std::string> paths = gifengine::testing::WriteInputFiles(folder.path());
    int64_t fileBytes = 0;
    Inputs() {
        for (const auto& p : paths) fileBytes += int64_t(gifengine::testing::ReadFile(p).size());
    }
};

Inputs& inputs() {
    static Inputs in;
    return in;
}

FailingReporter reporter;

void loadAll(gifengine::GifEngine& engine) {
    for (const std::string& path : inputs().paths) {
        engine.frames.cursor.currentRow = engine.frames.count() + 1;
        engine.LoadGifFile(path);
    }
}

int64_t rasterBytes(const gifengine::GifEngine& engine) {
    int64_t total = 0;
    for (int i = 0; i < engine.frames.count(); ++i) total += engine.frames[i].rasterLength;
    return total;
}

void BM_Load1000Files(benchmark::State& state) {
    inputs();  // written once, outside the timing
    for (auto _ : state) {
        gifengine::GifEngine engine(reporter);
        loadAll(engine);
        if (engine.frames.count() != gifengine::testing::kFileCount) state.SkipWithError("frames missing");
        benchmark::DoNotOptimize(engine.frames.count());
    }
    state.SetBytesProcessed(state.iterations() * inputs().fileBytes);
}
BENCHMARK(BM_Load1000Files)->Unit(benchmark::kMillisecond);

void BM_MakeFromRecordsInMemory(benchmark::State& state) {
    gifengine::GifEngine engine(reporter);
    loadAll(engine);
    gifengine::AnimationLayout layout;
    layout.screenWidth = 320;
    layout.screenHeight = 240;
    layout.globalFrame = 0;
    layout.global = &engine.global;
    const int64_t size = gifengine::AnimatedLayoutSize(engine.frames, layout);
    for (auto _ : state) {
        gifengine::VectorSink sink;
        sink.bytes.reserve(std::size_t(size));
        gifengine::WriteAnimatedLayout(sink, engine.frames, layout);
        if (int64_t(sink.bytes.size()) != size) state.SkipWithError("size differs from the estimate");
        benchmark::DoNotOptimize(sink.bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["mean_raster_KB"] = double(rasterBytes(engine)) / gifengine::testing::kFileCount / 1024.0;
}
BENCHMARK(BM_MakeFromRecordsInMemory)->Unit(benchmark::kMillisecond);

void BM_MakeFileFromRecords(benchmark::State& state) {
    gifengine::GifEngine engine(reporter);
    loadAll(engine);
    const std::string out = inputs().folder.path() + "/anim.gif";
    for (auto _ : state) {
        if (engine.MakeAnimatedGif(out) != 1) state.SkipWithError("not written");
    }
    state.SetBytesProcessed(state.iterations() * *engine.PredictFileSize());
}
BENCHMARK(BM_MakeFileFromRecords)->Unit(benchmark::kMillisecond);

void BM_LoadAndMake1000Files(benchmark::State& state) {
    inputs();
    const std::string out = inputs().folder.path() + "/anim.gif";
    for (auto _ : state) {
        gifengine::GifEngine engine(reporter);
        loadAll(engine);
        if (engine.MakeAnimatedGif(out) != 1) state.SkipWithError("not written");
    }
    state.SetBytesProcessed(state.iterations() * inputs().fileBytes);
}
BENCHMARK(BM_LoadAndMake1000Files)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
