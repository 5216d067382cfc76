// Records the writer calls of the web helpers; writes a small
// placeholder file for each call it lets succeed.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "assembler/html/frame_file_writer.h"
#include "gifengine/reporter.h"

namespace flikkor::html::testing {

class FakeWriter final : public FrameFileWriter {
public:
    explicit FakeWriter(int frames) : frames_(frames) {}
    int FrameCount() const override { return frames_; }
    int MakeAnimatedGif(const std::string& path) override {
        animatedPaths.push_back(path);
        return animatedFails ? 0 : touch(path);
    }
    int MakeSingleGif(int index, const std::string& path) override {
        singleCalls.push_back({index, path});
        if (failAtIndex && *failAtIndex == index) return 0;
        return touch(path);
    }

    struct SingleCall {
        int index;
        std::string path;
    };
    std::vector<std::string> animatedPaths;
    std::vector<SingleCall> singleCalls;
    bool animatedFails = false;
    std::optional<int> failAtIndex;
    bool createFiles = false;

private:
    int touch(const std::string& path) {
        if (!createFiles) return 1;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) return 0;
        std::fputs("GIF89a", f);
        std::fclose(f);
        return 1;
    }
    int frames_;
};

class RecordingReporter final : public gifengine::Reporter {
public:
    gifengine::MessageAnswer ShowMessage(std::string_view caption, std::string_view text,
                                         gifengine::MessageButtons) override {
        messages.push_back({std::string(caption), std::string(text)});
        return gifengine::MessageAnswer::Ok;
    }
    struct Message {
        std::string caption;
        std::string text;
    };
    std::vector<Message> messages;
};

}  // namespace flikkor::html::testing
