// The assembler's engine state for one run: the frame list, the global colour
// table, the animation comment and the animation-wide edit box texts, with the
// load, make and list commands that work on them. Messages and the save
// dialog go through the injected Reporter and SaveChooser.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gifengine/frame_list.h"
#include "gifengine/frame_record.h"
#include "gifengine/frame_row.h"
#include "gifengine/gif_scanner.h"
#include "gifengine/gif_writer.h"
#include "gifengine/global_colour_table.h"
#include "gifengine/messages.h"
#include "gifengine/reporter.h"

namespace gifengine {

// Texts of the main window's animation-wide edit boxes. The window copies
// its widgets into these before a command and shows them again afterwards
// (loading into an empty list fills them, emptying the list clears them).
struct AnimationBoxes {
    std::string EdLSWidth;
    std::string EdLSHeight;
    std::string EdIteration;
};

class GifEngine {
public:
    explicit GifEngine(Reporter& reporter, SaveChooser* chooser = nullptr);

    void setSaveChooser(SaveChooser* chooser) { chooser_ = chooser; }

    FrameList frames;
    GlobalColourTable global;
    AnimationBoxes boxes;
    std::string animationComment;  // bytes written as the animation's comment
    std::string LastMadeFile;      // last interactively made file
    uint16_t LastMadeWidth = 0;    // screen size of the last animation written
    uint16_t LastMadeHeight = 0;
    std::string saveInitialFolder; // where the save dialog opens next time

    const std::string& foundComment() const { return scanner_.foundComment; }
    GifScanner& scanner() { return scanner_; }

    // Loading. Images go in before the current grid row.
    // 0 when at least one image was added, -1 after a message otherwise.
    int LoadGifFile(const std::string& path);
    // The same for bytes already in memory, named by path.
    int LoadGifBytes(const std::string& path, std::vector<uint8_t> bytes);
    // Builds a record from the scanner's current image and inserts it.
    void AddFrameRecord(int imageNumber, bool listWasEmpty);

    // Writing. An empty path makes interactively (warnings, save dialog).
    // 1 when the file was written, 0 otherwise.
    int MakeAnimatedGif(const std::string& path);
    int MakeSingleGif(int index, const std::string& path);
    // Byte size MakeAnimatedGif would write; nothing for an empty list.
    std::optional<int64_t> PredictFileSize() const;
    // The same as the LFileSize label shows it (empty for an empty list).
    std::string PredictFileSizeText() const;

    // Global colour table.
    void SetGlobalTableFromFrame(int index);
    // BtnGCT: exactly one selected row required, then SetGlobalTableFromFrame.
    void BtnGCT();
    // BtnGCClear / MenuGCClear: no frame uses the global table any more.
    void ClearGlobalTableUse();
    // BtnLSSize: screen size boxes take the first selected frame's size.
    void BtnLSSize();

    // List panel commands on frames.cursor (the grid selection).
    void BtnDelete();
    void BtnClear();
    void BtnDuplicate();
    void BtnUp();
    void BtnDown();
    void BtnMoveTop();
    void BtnMoveBottom();
    void BtnAllSelect();

    // Cells of grid row index + 1.
    FrameRowTexts ShowFrameRow(int index) const;

private:
    int loadCurrent(const std::string& path);
    void error(std::string_view text);
    // 1 for a written file; otherwise reports why it was not written and gives 0.
    int reportWrite(WriteOutcome outcome);
    void warn(std::string_view text);
    void clearBoxesIfEmpty();

    Reporter& reporter_;
    SaveChooser* chooser_;
    GifScanner scanner_;
};

}  // namespace gifengine
