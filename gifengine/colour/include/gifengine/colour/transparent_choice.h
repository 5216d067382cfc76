// Choosing the transparent colour of a block of frames, either as one common
// index or as one common colour, and giving the choice to the frames.
// The dialog state here changes no frame; only the panel's apply does.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "gifengine/colour/swatch_grid.h"
#include "gifengine/frame_list.h"

namespace gifengine::colour {

// What the parameter panel shows for the selected block: first and last
// frame index and the common transparent index and colour (-1 = differing).
struct TransparentBlock {
    int first = -1;
    int last = -1;
    int commonIndex = -1;
    int32_t commonColour = -1;
    int frameCount() const { return last - first + 1; }
};

// The panel's pending transparent index and colour (-1 = none).
struct PendingTransparency {
    int index = -1;
    int32_t colour = -1;
};

enum class ChoiceMethod { None, ByIndex, ByColour };

// Everything the dialog shows for one frame of the block.
struct TransparentFrameView {
    int frame = -1;
    std::string imageNumberText;  // LImageNo: frame + 1
    std::string tableKindText;    // LColorTable
    int visibleSwatches = 0;      // the table's entry count
    gifengine::ColourTable colours{};
    std::array<SwatchRole, kSwatchCount> roles{};
    std::string storedIndexText;    // LOrgTransIndex
    std::string storedColourText;   // LOrgTransColor
    std::string currentIndexText;   // LCurTransIndex, empty without a choice
    std::string currentColourText;  // LCurTransColor
    bool methodVisible = false;     // LMethod, RBIndex, RBColor
    bool indexChecked = false;
    bool colourChecked = false;
    bool methodEnabled = false;
};

// What BtnUpdate writes into the panel's LTransIndex and LTransColor.
struct TransparentPanelLabels {
    std::string indexText;
    bool indexDiffers = false;  // shown in red
    std::string colourText;
    bool colourDiffers = false;
};

class TransparentColourChoice {
public:
    // Saves the block's common values as the ones a cancel restores.
    TransparentColourChoice(const gifengine::FrameList& frames, TransparentBlock block, PendingTransparency& pending);

    // The dialog is shown: not confirmed, first frame of the block.
    void Shown();
    void ShowTransColFrame(int i);
    void BtnPrev();
    void BtnNext();
    void ClickSwatch(int entry);
    void ClickRBIndex();
    void ClickRBColor();
    // Confirms and returns the panel's label texts.
    TransparentPanelLabels BtnUpdate();
    // The dialog closes: without confirmation the pending values return to
    // the block's common values.
    void Closed();

    const TransparentFrameView& view() const { return view_; }
    bool confirmed() const { return confirmed_; }
    int currentIndex() const { return currentIndex_; }
    int32_t currentColour() const { return currentColour_; }
    ChoiceMethod method() const { return method_; }
    const TransparentBlock& block() const { return block_; }

private:
    void refreshCurrent();
    bool severalFrames() const { return block_.frameCount() > 1; }

    const gifengine::FrameList& frames_;
    TransparentBlock block_;
    PendingTransparency& pending_;
    PendingTransparency restore_;
    TransparentFrameView view_;
    int currentIndex_ = -1;
    int32_t currentColour_ = -1;
    ChoiceMethod method_ = ChoiceMethod::None;
    bool confirmed_ = false;
};

// First entry (lowest index) of the frame's table with exactly that colour, or -1.
int FirstEntryOfColour(const gifengine::GifFrameRecord& frame, int32_t colour);

// Every frame first..last whose table has more entries than index takes it
// as transparent index; the others keep theirs.
void ApplyTransparentIndex(gifengine::FrameList& frames, int first, int last, int index);
// Every frame first..last takes the first entry of that colour as its
// transparent index; frames without the colour keep theirs.
void ApplyTransparentColour(gifengine::FrameList& frames, int first, int last, int32_t colour);
// The panel's apply of the transparent colour: a pending colour (pending
// index -1) that differs from the shown colour, else a pending index that
// differs from the shown index. The transparency flag is left alone.
void ApplyPendingTransparency(gifengine::FrameList& frames, const TransparentBlock& shown,
                              const PendingTransparency& pending);

}  // namespace gifengine::colour
