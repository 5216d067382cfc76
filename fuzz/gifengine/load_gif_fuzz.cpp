// Feeds arbitrary bytes to the loader as one file, then makes what loaded:
// the animation, written to a file whose length must equal the predicted
// size, and each of the first frames as a single-image file, whose length
// must be its blocks' and which must load back as one frame with the same
// raster bytes. An odd input length first takes the global colour table from
// frame 1, so both table layouts are written.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "fuzz/work_folder.h"
#include "gifengine/gif_engine.h"

namespace {

class SilentReporter final : public gifengine::Reporter {
public:
    gifengine::MessageAnswer ShowMessage(std::string_view, std::string_view, gifengine::MessageButtons) override {
        return gifengine::MessageAnswer::Ok;
    }
};

const std::filesystem::path& workFolder() {
    static const toolkit::testing::WorkFolder folder("gifengine-fuzz");
    return folder.path();
}

int64_t fileLength(const std::string& path) {
    std::error_code ec;
    const auto length = std::filesystem::file_size(path, ec);
    return ec ? -1 : int64_t(length);
}

// Screen descriptor and table, graphic control block, image descriptor,
// raster, trailer.
int64_t singleImageLength(const gifengine::GifFrameRecord& frame) {
    return 13 + int64_t(frame.tableEntryCount()) * 3 + 8 + 10 + frame.rasterLength + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SilentReporter reporter;
    gifengine::GifEngine engine(reporter);
    engine.LoadGifBytes("/fuzz/input.gif", std::vector<uint8_t>(data, data + size));
    if (engine.frames.empty()) return 0;
    if ((size & 1) != 0) engine.SetGlobalTableFromFrame(0);

    const std::string animation = (workFolder() / "animation.gif").string();
    if (engine.MakeAnimatedGif(animation) != 1) {
        // Loaded screen sizes of 0 are refused; any positive size is written.
        engine.boxes.EdLSWidth = "16";
        engine.boxes.EdLSHeight = "16";
        if (engine.MakeAnimatedGif(animation) != 1) __builtin_trap();
    }
    const std::optional<int64_t> predicted = engine.PredictFileSize();
    if (!predicted || fileLength(animation) != *predicted) __builtin_trap();

    const std::string single = (workFolder() / "single.gif").string();
    for (int i = 0; i < engine.frames.count() && i < 4; ++i) {
        const gifengine::GifFrameRecord& frame = engine.frames[i];
        if (engine.MakeSingleGif(i, single) != 1) __builtin_trap();
        if (fileLength(single) != singleImageLength(frame)) __builtin_trap();
        gifengine::GifEngine again(reporter);
        if (again.LoadGifFile(single) != 0 || again.frames.count() != 1) __builtin_trap();
        const gifengine::GifFrameRecord& back = again.frames[0];
        if (back.rasterLength != frame.rasterLength ||
            !std::equal(frame.raster.begin(), frame.raster.begin() + frame.rasterLength, back.raster.begin())) {
            __builtin_trap();
        }
    }
    return 0;
}
