// Feeds arbitrary bytes to the loader as one file; a second pass writes the
// frames, so records built from any input stay writable.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "gifengine/gif_engine.h"
#include "gifengine/gif_writer.h"

namespace {
class SilentReporter final : public gifengine::Reporter {
public:
    gifengine::MessageAnswer ShowMessage(std::string_view, std::string_view, gifengine::MessageButtons) override {
        return gifengine::MessageAnswer::Ok;
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SilentReporter reporter;
    gifengine::GifEngine engine(reporter);
    engine.LoadGifBytes("/fuzz/input.gif", std::vector<uint8_t>(data, data + size));
    if (!engine.frames.empty()) {
        gifengine::VectorSink sink;
        gifengine::AnimationLayout layout{16, 16, 0, -1, &engine.global, engine.animationComment};
        gifengine::WriteAnimatedLayout(sink, engine.frames, layout);
        if (int64_t(sink.bytes.size()) != gifengine::AnimatedLayoutSize(engine.frames, layout)) __builtin_trap();
    }
    return 0;
}
