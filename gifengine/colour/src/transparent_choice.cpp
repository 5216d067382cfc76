#include "gifengine/colour/transparent_choice.h"

#include <algorithm>

#include "gifengine/colour/colour_tool_messages.h"

namespace gifengine::colour {

using gifengine::ColourHex;
using gifengine::ColourValue;
using gifengine::FrameList;
using gifengine::GifFrameRecord;

namespace {

bool WithinTable(const GifFrameRecord& frame, int index) { return index >= 0 && index < frame.tableEntryCount(); }

std::string IndexText(int index) { return index < 0 ? std::string() : std::to_string(index); }
std::string ColourText(int32_t colour) { return colour < 0 ? std::string() : ColourHex(colour); }

}  // namespace

int FirstEntryOfColour(const GifFrameRecord& frame, int32_t colour) {
    if (colour < 0) return -1;
    const int count = frame.tableEntryCount();
    for (int k = 0; k < count; ++k) {
        if (ColourValue(frame.colourTable[std::size_t(k)]) == colour) return k;
    }
    return -1;
}

TransparentColourChoice::TransparentColourChoice(const FrameList& frames, TransparentBlock block,
                                                 PendingTransparency& pending)
    : frames_(frames), block_(block), pending_(pending), restore_{block.commonIndex, block.commonColour} {}

void TransparentColourChoice::Shown() {
    confirmed_ = false;
    ShowTransColFrame(block_.first);
}

void TransparentColourChoice::ShowTransColFrame(int i) {
    if (i < 0 || i >= frames_.count()) return;
    const GifFrameRecord& frame = frames_[i];
    const int stored = frame.transparentIndex();
    const int32_t storedColour = ColourValue(frame.colourTable[std::size_t(stored)]);

    view_ = TransparentFrameView{};
    view_.frame = i;
    view_.imageNumberText = std::to_string(i + 1);
    view_.tableKindText = std::string(frame.usesGlobalTable ? text::kGlobalTableKind : text::kLocalTableKind);
    view_.visibleSwatches = frame.tableEntryCount();
    view_.colours = frame.colourTable;

    // Where the pending choice falls in this frame.
    if (WithinTable(frame, pending_.index)) {
        currentIndex_ = pending_.index;
        currentColour_ = ColourValue(frame.colourTable[std::size_t(currentIndex_)]);
    } else if (pending_.colour >= 0) {
        currentIndex_ = FirstEntryOfColour(frame, pending_.colour);
        currentColour_ = currentIndex_ < 0 ? -1 : pending_.colour;
    } else {
        currentIndex_ = -1;
        currentColour_ = -1;
    }

    if (severalFrames()) {
        view_.methodVisible = true;
        if (pending_.index >= 0)
            method_ = ChoiceMethod::ByIndex;
        else if (pending_.colour >= 0)
            method_ = ChoiceMethod::ByColour;
        else
            method_ = ChoiceMethod::None;
    } else {
        method_ = ChoiceMethod::None;
    }
    view_.storedIndexText = std::to_string(stored);
    view_.storedColourText = ColourHex(storedColour);
    refreshCurrent();
}

void TransparentColourChoice::refreshCurrent() {
    const GifFrameRecord& frame = frames_[view_.frame];
    view_.roles = SwatchRoles(frame.transparentIndex(), currentIndex_);
    view_.currentIndexText = IndexText(currentIndex_);
    view_.currentColourText = currentIndex_ < 0 ? std::string() : ColourText(currentColour_);
    view_.indexChecked = view_.methodVisible && method_ == ChoiceMethod::ByIndex;
    view_.colourChecked = view_.methodVisible && method_ == ChoiceMethod::ByColour;
    view_.methodEnabled = currentIndex_ >= 0;
}

void TransparentColourChoice::BtnPrev() {
    if (view_.frame > block_.first) ShowTransColFrame(view_.frame - 1);
}

void TransparentColourChoice::BtnNext() {
    if (view_.frame < block_.last) ShowTransColFrame(view_.frame + 1);
}

void TransparentColourChoice::ClickSwatch(int entry) {
    if (view_.frame < 0 || entry < 0 || entry >= view_.visibleSwatches) return;
    currentIndex_ = entry;
    currentColour_ = ColourValue(view_.colours[std::size_t(entry)]);
    if (!severalFrames()) {
        pending_ = {currentIndex_, currentColour_};
    } else if (method_ == ChoiceMethod::ByIndex) {
        pending_ = {currentIndex_, -1};
    } else if (method_ == ChoiceMethod::ByColour) {
        pending_ = {-1, currentColour_};
    }
    refreshCurrent();
}

void TransparentColourChoice::ClickRBIndex() {
    if (!severalFrames() || currentIndex_ < 0) return;
    method_ = ChoiceMethod::ByIndex;
    pending_ = {currentIndex_, -1};
    refreshCurrent();
}

void TransparentColourChoice::ClickRBColor() {
    if (!severalFrames() || currentIndex_ < 0) return;
    method_ = ChoiceMethod::ByColour;
    pending_ = {-1, currentColour_};
    refreshCurrent();
}

TransparentPanelLabels TransparentColourChoice::BtnUpdate() {
    TransparentPanelLabels labels;
    const bool byIndex = currentIndex_ >= 0 && (!severalFrames() || method_ == ChoiceMethod::ByIndex);
    const bool byColour = currentIndex_ >= 0 && (!severalFrames() || method_ == ChoiceMethod::ByColour);
    if (byIndex) {
        labels.indexText = IndexText(currentIndex_);
        labels.indexDiffers = currentIndex_ != block_.commonIndex;
    }
    if (byColour) {
        labels.colourText = ColourText(currentColour_);
        labels.colourDiffers = currentColour_ != block_.commonColour;
    }
    confirmed_ = true;
    return labels;
}

void TransparentColourChoice::Closed() {
    if (!confirmed_) pending_ = restore_;
}

void ApplyTransparentIndex(FrameList& frames, int first, int last, int index) {
    if (index < 0) return;
    last = std::min(last, frames.count() - 1);
    for (int i = std::max(first, 0); i <= last; ++i) {
        if (index < frames[i].tableEntryCount()) frames[i].setTransparentIndex(index);
    }
}

void ApplyTransparentColour(FrameList& frames, int first, int last, int32_t colour) {
    last = std::min(last, frames.count() - 1);
    for (int i = std::max(first, 0); i <= last; ++i) {
        const int entry = FirstEntryOfColour(frames[i], colour);
        if (entry >= 0) frames[i].setTransparentIndex(entry);
    }
}

void ApplyPendingTransparency(FrameList& frames, const TransparentBlock& shown, const PendingTransparency& pending) {
    if (pending.index < 0) {
        if (pending.colour >= 0 && pending.colour != shown.commonColour)
            ApplyTransparentColour(frames, shown.first, shown.last, pending.colour);
    } else if (pending.index != shown.commonIndex) {
        ApplyTransparentIndex(frames, shown.first, shown.last, pending.index);
    }
}

}  // namespace gifengine::colour
