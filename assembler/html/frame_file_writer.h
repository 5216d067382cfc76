// What the web helpers need from the GIF engine: the frame
// count and the two writers (1 written, 0 after the writer's own message).
#pragma once

#include <string>

namespace flikkor::html {

class FrameFileWriter {
public:
    virtual ~FrameFileWriter() = default;
    virtual int FrameCount() const = 0;
    virtual int MakeAnimatedGif(const std::string& path) = 0;
    virtual int MakeSingleGif(int index, const std::string& path) = 0;
};

}  // namespace flikkor::html
