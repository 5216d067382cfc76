// FrameFileWriter on the assembler's GIF engine: the files are the work folder's.
#pragma once

#include "assembler/html/frame_file_writer.h"
#include "gifengine/gif_engine.h"

namespace flikkor::html {

class EngineFrameWriter final : public FrameFileWriter {
public:
    explicit EngineFrameWriter(gifengine::GifEngine& engine) : engine_(engine) {}
    int FrameCount() const override { return engine_.frames.count(); }
    int MakeAnimatedGif(const std::string& path) override {
        return engine_.MakeAnimatedGif(path, gifengine::OutputKind::WorkFile);
    }
    int MakeSingleGif(int index, const std::string& path) override {
        return engine_.MakeSingleGif(index, path, gifengine::OutputKind::WorkFile);
    }

private:
    gifengine::GifEngine& engine_;
};

}  // namespace flikkor::html
