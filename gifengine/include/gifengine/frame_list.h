// The ordered frames of the animation and the grid position the list
// commands act on. Grid rows: 0 is the header, frame i is row i + 1, and one
// empty row (count + 1) always follows the last frame.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "gifengine/frame_record.h"

namespace gifengine {

inline constexpr int kFrameListCapacity = 1000;

// Current row and selected row block of the frame grid, in grid rows.
struct GridCursor {
    int currentRow = 1;
    int topRow = 1;
    int bottomRow = 1;
};

class FrameList {
public:
    FrameList();

    int count() const { return int(frames_.size()); }
    bool empty() const { return frames_.empty(); }
    bool full() const { return count() >= kFrameListCapacity; }
    GifFrameRecord& operator[](int i) { return *frames_[std::size_t(i)]; }
    const GifFrameRecord& operator[](int i) const { return *frames_[std::size_t(i)]; }

    // The window keeps the grid's current row and selection here; the list
    // operations move them the way the grid shows the result.
    GridCursor cursor;
    // Grid rows count + 2: header, frames, empty row.
    int gridRowCount() const { return count() + 2; }

    // Index at which the next added frame goes: current row minus one,
    // kept within 0..count.
    int insertionIndex() const;
    // Puts a record at insertionIndex() and moves the current row down by
    // one, so the frame that was current stays current. False when full.
    bool InsertFrame(std::unique_ptr<GifFrameRecord> record);

    // Removes frame i; row i + 1 becomes current and alone selected.
    void DeleteFrame(int i);
    // Inserts copies of frames a .. a+n-1 right after them; the copies are
    // selected. False (nothing changed) when a is no frame or the copies would
    // not fit the capacity.
    bool DuplicateFrames(int a, int n);
    // Moves the block a .. a+n-1 by d places (negative towards the top);
    // the moved block is selected. False when refused.
    bool MoveFrames(int a, int n, int d);
    // Deletes every frame.
    void Clear();

    // Selected block as list indices: start a = top row - 1 and the number of
    // selected frame rows (the empty row left out).
    int selectionStart() const { return cursor.topRow - 1; }
    int selectionFrameCount() const;

private:
    void selectRows(int current, int top, int bottom);
    std::vector<std::unique_ptr<GifFrameRecord>> frames_;
};

}  // namespace gifengine
