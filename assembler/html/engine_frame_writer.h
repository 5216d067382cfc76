// FrameFileWriter on the assembler's GIF engine.
#pragma once

#include "assembler/html/frame_file_writer.h"
#include "gifengine/gif_engine.h"

namespace flikkor::html {

class EngineFrameWriter final : public FrameFileWriter {
public:
    explicit EngineFrameWriter(gifengine::GifEngine& engine) : engine_(engine) {}
    int FrameCount() const override { return engine_.frames.count(); }
    int MakeAnimatedGif(const std::string& path) override { return engine_.MakeAnimatedGif(path); }
    int MakeSingleGif(int index, const std::string& path) override { return engine_.MakeSingleGif(index, path); }

private:
    gifengine::GifEngine& engine_;
};

}  // namespace flikkor::html
