// The assembler's engine state for one run: the frame list, the global colour
// table, the animation comment and the animation-wide edit box texts, with
// every command that works on them (load, make, list, panel, replace,
// split). Messages and the save dialog go through the injected Reporter and
// SaveChooser; the window only turns widget events into these calls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gifengine/file_output.h"
#include "gifengine/frame_list.h"
#include "gifengine/frame_record.h"
#include "gifengine/frame_row.h"
#include "gifengine/gif_scanner.h"
#include "gifengine/gif_writer.h"
#include "gifengine/global_colour_table.h"
#include "gifengine/messages.h"
#include "gifengine/panel_block.h"
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
    std::string saveInitialFolder;  // where the save dialog opens next time

    const std::string& foundComment() const { return scanner_.foundComment; }
    GifScanner& scanner() { return scanner_; }

    // Loading. Images go in before the current grid row.
    // 0 when at least one image was added, -1 after a message otherwise.
    int LoadGifFile(const std::string& path);
    // Several files in one go (the add command, dropped files), each as
    // LoadGifFile loads it. Images that no longer fit into the list are counted
    // and reported in one message at the end. The number of files loaded.
    int LoadGifFiles(const std::vector<std::string>& paths);
    // The same for bytes already in memory, named by path.
    int LoadGifBytes(const std::string& path, std::vector<uint8_t> bytes);
    // Builds a record from the scanner's current image and inserts it.
    void AddFrameRecord(int imageNumber, bool listWasEmpty);

    // Writing. An empty path makes interactively (warnings, save dialog).
    // 1 when the file was written, 0 otherwise (reported with the file and the
    // reason). A given path is written as `kind` says (the save dialog's
    // choice always as the user's file).
    int MakeAnimatedGif(const std::string& path, OutputKind kind = OutputKind::UserFile);
    int MakeSingleGif(int index, const std::string& path, OutputKind kind = OutputKind::UserFile);
    // Byte size MakeAnimatedGif would write; nothing for an empty list.
    std::optional<int64_t> PredictFileSize() const;
    // The same as the LFileSize label shows it (empty for an empty list).
    std::string PredictFileSizeText() const;

    // The save dialog of an interactive make and of the split: what it shows
    // when it opens (its folder is the folder of the last name chosen).
    SaveDialogRequest saveRequest() const;

    // Global colour table.
    void SetGlobalTableFromFrame(int index);
    // Exactly one selected row required, then SetGlobalTableFromFrame.
    void setGlobalTableFromSelection();
    // No frame uses the global table any more (the table itself stays).
    void ClearGlobalTableUse();
    // The screen size boxes take the first selected frame's size.
    void fitScreenToSelection();

    // List commands on frames.cursor (the grid selection). Each leaves the
    // cursor where the grid shows its result; a refused command changes
    // nothing, the cursor included.
    void deleteSelection();
    void clearFrames();
    // Reports a duplicate that would pass the list's capacity.
    bool duplicateSelection();
    enum class MoveTarget { Up, Down, Top, Bottom };
    bool moveSelection(MoveTarget target);
    void selectAll();

    // The parameter panel: values common to the selected frames, and the
    // edits of pending (where it differs from shown) written into them.
    PanelBlock selectedFrameValues() const;
    void applyFrameEdits(const PanelBlock& shown, const PanelBlock& pending);

    // The one selected frame a command works on: reports noneText when the
    // selection starts at the empty row, severalText when it spans rows.
    std::optional<int> singleSelectedFrame(std::string_view noneText, std::string_view severalText);
    // The selected frame replaced by the images of the file at path, which
    // take over its delay and disposal and are named "Edited". False when
    // nothing was selected or loaded (reported).
    bool replaceSelectedFrame(const std::string& path);

    // The split: every frame written alone as base + "001.gif" and so on,
    // base being the name chosen in the save dialog without its extension.
    // Numbered files already there are replaced only when the user agrees, and
    // only when every file was written. Returns the number of files written.
    int splitIntoFiles();

    // Cells of grid row index + 1.
    FrameRowTexts ShowFrameRow(int index) const;

private:
    int loadCurrent(const std::string& path);
    // The images the list had no room for, reported in one message.
    void reportLeftOut();
    void error(std::string_view text);
    // 1 for a written file; otherwise reports why it was not written and gives 0.
    int reportWrite(const std::optional<WriteFailure>& failure);
    void warn(std::string_view text);
    void clearBoxesIfEmpty();
    // Runs the save dialog; the chosen path, its folder remembered.
    std::optional<std::string> chooseSaveFile();

    Reporter& reporter_;
    SaveChooser* chooser_;
    GifScanner scanner_;
    int leftOut_ = 0;  // images of the current add left out of the full list
};

}  // namespace gifengine
