// Frames with known tables and rasters for the colour-tool tests, and a
// reporter that records every message.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gifengine/colour/colour_chooser.h"
#include "gifengine/colour/colour_tool_host.h"
#include "gifengine/frame_list.h"
#include "gifengine/reporter.h"

namespace gifengine::colour::testing {

// Raster of an image with these pixel indices, LZW coded with a clear code
// before every pixel so that any decoder reads it back exactly.
std::vector<uint8_t> RasterOf(const std::vector<uint8_t>& indices, int minimumCodeSize);

// A frame of width x height whose table has 2^(sizeBits+1) entries, entry k
// coloured k * 0x010101 unless given in `colours`.
std::unique_ptr<gifengine::GifFrameRecord> MakeFrame(int sizeBits, int transparentIndex = 0,
                                                     std::initializer_list<std::pair<int, int32_t>> colours = {},
                                                     const std::string& path = "/pictures/frame.gif");

// Appends a frame to the end of the list.
void Append(gifengine::FrameList& frames, std::unique_ptr<gifengine::GifFrameRecord> frame);
// Selects grid rows top..bottom (frame rows are index + 1).
void SelectRows(gifengine::FrameList& frames, int top, int bottom);

struct Message {
    std::string caption;
    std::string text;
};

class RecordingReporter final : public gifengine::Reporter {
public:
    gifengine::MessageAnswer ShowMessage(std::string_view caption, std::string_view text,
                                         gifengine::MessageButtons) override {
        messages.push_back({std::string(caption), std::string(text)});
        return gifengine::MessageAnswer::Ok;
    }
    std::vector<Message> messages;
};

class RecordingHost final : public gifengine::colour::ColourToolHost {
public:
    void ResetPendingPanelEdits() override { ++resets; }
    void FramesChanged() override { ++changes; }
    int resets = 0;
    int changes = 0;
};

// Answers every colour dialog with the next scripted colour (nothing = cancel)
// and records the colours it was preset to.
class ScriptedChooser final : public gifengine::colour::ColourChooser {
public:
    std::optional<gifengine::Rgb> ChooseColour(const gifengine::Rgb& initial) override {
        presets.push_back(initial);
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    std::vector<std::optional<gifengine::Rgb>> answers;
    std::vector<gifengine::Rgb> presets;
};

}  // namespace gifengine::colour::testing
