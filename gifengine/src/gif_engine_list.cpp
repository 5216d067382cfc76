// The list panel's commands: which frames the grid selection names and what
// becomes of the animation-wide boxes when the list empties.
#include "gifengine/gif_engine.h"

namespace gifengine {

void GifEngine::clearBoxesIfEmpty() {
    if (!frames.empty()) return;
    boxes.EdLSWidth.clear();
    boxes.EdLSHeight.clear();
    boxes.EdIteration.clear();
}

void GifEngine::BtnDelete() {
    const GridCursor selection = frames.cursor;
    for (int row = selection.topRow; row <= selection.bottomRow; ++row) frames.DeleteFrame(selection.topRow - 1);
    clearBoxesIfEmpty();
}

void GifEngine::BtnClear() {
    frames.Clear();
    clearBoxesIfEmpty();
}

void GifEngine::BtnDuplicate() {
    const int a = frames.cursor.topRow - 1;
    int n = frames.cursor.bottomRow - frames.cursor.topRow + 1;
    if (a < 0 || a >= frames.count()) return;
    if (a + n > frames.count()) n -= 1;
    if (frames.count() + n > kFrameListCapacity) {
        error(text::kListFull);
        return;
    }
    frames.DuplicateFrames(a, n);
}

void GifEngine::BtnUp() {
    const GridCursor& c = frames.cursor;
    frames.MoveFrames(c.topRow - 1, c.bottomRow - c.topRow + 1, -1);
}

void GifEngine::BtnDown() {
    const GridCursor& c = frames.cursor;
    frames.MoveFrames(c.topRow - 1, c.bottomRow - c.topRow + 1, +1);
}

void GifEngine::BtnMoveTop() {
    const GridCursor& c = frames.cursor;
    frames.MoveFrames(c.topRow - 1, c.bottomRow - c.topRow + 1, 1 - c.topRow);
}

void GifEngine::BtnMoveBottom() {
    const GridCursor& c = frames.cursor;
    const int a = c.topRow - 1;
    const int n = c.bottomRow - c.topRow + 1;
    frames.MoveFrames(a, n, frames.count() - (a + frames.selectionFrameCount()));
}

void GifEngine::BtnAllSelect() {
    if (frames.empty()) return;
    frames.cursor = GridCursor{1, 1, frames.count()};
}

}  // namespace gifengine
