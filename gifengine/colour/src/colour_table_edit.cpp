#include "gifengine/colour/colour_table_edit.h"

#include <algorithm>

#include "gifengine/colour/colour_tool_messages.h"
#include "gifengine/messages.h"

namespace gifengine::colour {

using gifengine::FrameList;
using gifengine::MessageButtons;

bool ColourEditBuffer::ChooseEntry(int k, ColourChooser& chooser) {
    if (k < 0 || k >= count) return false;
    const auto chosen = chooser.ChooseColour(entries[std::size_t(k)]);
    if (!chosen) return false;
    entries[std::size_t(k)] = *chosen;
    return true;
}

bool BlockTablesIdentical(const FrameList& frames, int a, int n) {
    const auto& first = frames[a];
    const int count = first.tableEntryCount();
    for (int i = a + 1; i < a + n; ++i) {
        const auto& frame = frames[i];
        if (frame.tableEntryCount() != count) return false;
        if (!std::equal(first.colourTable.begin(), first.colourTable.begin() + count, frame.colourTable.begin()))
            return false;
    }
    return true;
}

void ApplyEditedTable(FrameList& frames, int a, int n, const ColourEditBuffer& buffer) {
    for (int i = a; i < a + n; ++i) {
        auto& frame = frames[i];
        std::copy(buffer.entries.begin(), buffer.entries.begin() + buffer.count, frame.colourTable.begin());
        frame.usesGlobalTable = false;
    }
}

bool EditColorTables(FrameList& frames, gifengine::Reporter& reporter, ColourTableEditor& editor,
                     ColourToolHost& host) {
    host.ResetPendingPanelEdits();
    const int a = frames.selectionStart();
    if (a < 0 || a >= frames.count()) return false;
    const int n = frames.selectionFrameCount();
    if (n < 1) return false;
    if (!BlockTablesIdentical(frames, a, n)) {
        reporter.ShowMessage(gifengine::text::kCaptionError, text::kTablesDiffer, MessageButtons::Ok);
        return false;
    }
    ColourEditBuffer buffer;
    buffer.count = frames[a].tableEntryCount();
    buffer.entries = frames[a].colourTable;
    if (!editor.EditTable(buffer)) return false;

    ApplyEditedTable(frames, a, n, buffer);
    host.FramesChanged();
    reporter.ShowMessage(gifengine::text::kCaptionNotice, text::kChooseGlobalTableAgain, MessageButtons::Ok);
    return true;
}

}  // namespace gifengine::colour
