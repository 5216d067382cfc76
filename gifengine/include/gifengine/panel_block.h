// The nine values the frame-parameter panel shows or is about to apply.
#pragma once

#include <cstdint>
#include <string_view>

namespace gifengine {

// Frame indices of the selected block, then the frames' common values;
// -1 stands for no selection (first two) or differing values (the others).
// transColour is 0xRRGGBB of each frame's own table entry at its index.
struct PanelBlock {
    int32_t first = -1;
    int32_t last = -1;
    int32_t left = -1;
    int32_t top = -1;
    int32_t delay = -1;
    int32_t disposal = -1;
    int32_t transFlag = -1;
    int32_t transIndex = -1;
    int32_t transColour = -1;
    friend bool operator==(const PanelBlock&, const PanelBlock&) = default;
};

// A number typed into the panel: its decimal value, 0 for any other text.
int32_t PanelNumber(std::string_view text);

}  // namespace gifengine
