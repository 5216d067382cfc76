// Editing the colour table shared by a block of frames.
#pragma once

#include "gifengine/colour/colour_chooser.h"
#include "gifengine/colour/colour_tool_host.h"
#include "gifengine/frame_list.h"
#include "gifengine/reporter.h"

namespace gifengine::colour {

// The table being edited: entry count and 256 RGB entries.
struct ColourEditBuffer {
    int count = 0;
    gifengine::ColourTable entries{};

    // Opens the chooser preset to entry k; on confirmation the entry takes
    // the chosen colour. True when the entry changed hands.
    bool ChooseEntry(int k, ColourChooser& chooser);
};

// The modal editor: shows the buffer, edits it, true when confirmed.
class ColourTableEditor {
public:
    virtual ~ColourTableEditor() = default;
    virtual bool EditTable(ColourEditBuffer& buffer) = 0;
};

// True when frames a..a+n-1 all have the table size and entries of frame a.
bool BlockTablesIdentical(const gifengine::FrameList& frames, int a, int n);
// Frames a..a+n-1 get the buffer's entries and no longer use the global table.
void ApplyEditedTable(gifengine::FrameList& frames, int a, int n, const ColourEditBuffer& buffer);

// The editor command on the grid selection. True when frames changed.
bool EditColorTables(gifengine::FrameList& frames, gifengine::Reporter& reporter, ColourTableEditor& editor,
                     ColourToolHost& host);

}  // namespace gifengine::colour
