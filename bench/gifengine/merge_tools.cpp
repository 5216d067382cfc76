// Two small programs for the side-by-side comparison: "inputs FOLDER" writes the
// 1000 benchmark files; "merge OUT IN..." loads every IN with the engine and makes
// one animation OUT, as the assembler does.
#include <cstdio>
#include <cstring>
#include <string>

#include "bench_inputs.h"
#include "gifengine/gif_engine.h"

namespace {

class PrintingReporter final : public gifengine::Reporter {
public:
    gifengine::MessageAnswer ShowMessage(std::string_view caption, std::string_view text,
                                         gifengine::MessageButtons) override {
        std::fprintf(stderr, "%.*s: %.*s\n", int(caption.size()), caption.data(), int(text.size()), text.data());
        failed = true;
        return gifengine::MessageAnswer::Ok;
    }
    bool failed = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "inputs") == 0) {
        gifengine::testing::WriteInputFiles(argv[2]);
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "merge") == 0) {
        PrintingReporter reporter;
        gifengine::GifEngine engine(reporter);
        for (int k = 3; k < argc; ++k) {
            engine.frames.cursor.currentRow = engine.frames.count() + 1;
            engine.LoadGifFile(argv[k]);
        }
        if (engine.MakeAnimatedGif(argv[2]) != 1 || reporter.failed) return 1;
        return 0;
    }
    std::fprintf(stderr, "usage: gifengine_bench_tool inputs FOLDER | merge OUT IN...\n");
    return 2;
}
