// An engine with recorded messages and a scripted save dialog.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "gif_builder.h"
#include "gifengine/gif_engine.h"
#include "recording_reporter.h"

namespace gifengine::testing {

class EngineTest : public ::testing::Test {
protected:
    RecordingReporter reporter;
    ScriptedSaveChooser chooser;
    gifengine::GifEngine engine{reporter, &chooser};
    TempFolder folder;

    // Loads bytes as a file named name in the temp folder.
    int load(const std::vector<uint8_t>& bytes, const std::string& name = "a.gif") {
        const std::string path = folder.file(name);
        EXPECT_TRUE(WriteFile(path, bytes));
        return engine.LoadGifFile(path);
    }
    // Makes non-interactively into the temp folder and returns the file.
    std::vector<uint8_t> make(const std::string& name = "out.gif") {
        EXPECT_EQ(engine.MakeAnimatedGif(folder.file(name)), 1);
        return ReadFile(folder.file(name));
    }
    // The names in the temp folder, hidden ones included, sorted and joined by blanks.
    std::string listing() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        std::string joined;
        for (const auto& name : names) joined += (joined.empty() ? "" : " ") + name;
        return joined;
    }
    // Selects grid rows top..bottom with top current.
    void select(int top, int bottom) { engine.frames.cursor = gifengine::GridCursor{top, top, bottom}; }
};

// A file of `count` w x h images sharing one global table of 2^bits colours.
inline std::vector<uint8_t> AnimatedWithGlobal(int count, uint16_t w, uint16_t h, int bits = 4) {
    GifBuilder builder;
    builder.screen(w, h).globalTable(MakePalette(bits));
    for (int i = 0; i < count; ++i) {
        Image image = PatternImage(w, h, 1 << bits, i);
        image.control = Control{1, false, false, 0, uint16_t(5 + i)};
        builder.image(image);
    }
    return builder.bytes();
}

}  // namespace gifengine::testing
