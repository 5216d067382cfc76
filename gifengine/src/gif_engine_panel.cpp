// The frame-parameter panel's rules: which values the selected frames share
// and how the user's edits reach every selected frame.
#include "gifengine/gif_engine.h"
#include "gifengine/integer_text.h"

namespace gifengine {

namespace {

int32_t TransparentColour(const GifFrameRecord& frame) {
    const int index = frame.transparentIndex();
    return index < frame.tableEntryCount() ? ColourValue(frame.colourTable[std::size_t(index)]) : -1;
}

// First entry of the frame's table equal to colour, -1 when none.
int FindColour(const GifFrameRecord& frame, int32_t colour) {
    for (int k = 0; k < frame.tableEntryCount(); ++k)
        if (ColourValue(frame.colourTable[std::size_t(k)]) == colour) return k;
    return -1;
}

}  // namespace

int32_t PanelNumber(std::string_view text) { return IntegerValue(text).value_or(0); }

PanelBlock GifEngine::selectedFrameValues() const {
    PanelBlock shown;
    const int first = frames.cursor.topRow - 1;
    int last = frames.cursor.bottomRow - 1;
    if (first < 0 || first >= frames.count()) return shown;
    if (last >= frames.count()) last = frames.count() - 1;
    shown.first = first;
    shown.last = last;
    // A field keeps its value when every selected frame has the same, else -1.
    auto common = [&](auto field) {
        const int32_t value = field(frames[first]);
        for (int i = first + 1; i <= last; ++i)
            if (field(frames[i]) != value) return int32_t(-1);
        return value;
    };
    shown.left = common([](const GifFrameRecord& f) { return int32_t(f.descriptor.left); });
    shown.top = common([](const GifFrameRecord& f) { return int32_t(f.descriptor.top); });
    shown.delay = common([](const GifFrameRecord& f) { return int32_t(f.delay()); });
    shown.disposal = common([](const GifFrameRecord& f) { return int32_t(f.disposal()); });
    shown.transFlag = common([](const GifFrameRecord& f) { return int32_t(f.transparencyOn() ? 1 : 0); });
    shown.transIndex = common([](const GifFrameRecord& f) { return int32_t(f.transparentIndex()); });
    shown.transColour = common(TransparentColour);
    return shown;
}

void GifEngine::applyFrameEdits(const PanelBlock& shown, const PanelBlock& pending) {
    if (shown.first < 0) return;
    for (int i = shown.first; i <= shown.last && i < frames.count(); ++i) {
        GifFrameRecord& frame = frames[i];
        if (pending.left != shown.left) frame.descriptor.left = uint16_t(pending.left);
        if (pending.top != shown.top) frame.descriptor.top = uint16_t(pending.top);
        if (pending.delay != shown.delay) frame.setDelay(uint16_t(pending.delay));
        if (pending.disposal != shown.disposal) frame.setDisposal(pending.disposal & 7);
        if (pending.transFlag != shown.transFlag) frame.setTransparencyOn((pending.transFlag & 1) != 0);
        if (pending.transIndex < 0) {
            // A colour chosen in the transparent-colour dialog: each frame
            // takes its own first entry of that colour, if it has one.
            if (pending.transColour >= 0 && pending.transColour != shown.transColour) {
                const int found = FindColour(frame, pending.transColour);
                if (found >= 0) frame.setTransparentIndex(found);
            }
        } else if (pending.transIndex != shown.transIndex && frame.tableEntryCount() > pending.transIndex) {
            frame.setTransparentIndex(pending.transIndex);
        }
    }
}

}  // namespace gifengine
