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

void GifEngine::deleteSelection() {
    const GridCursor selection = frames.cursor;
    for (int row = selection.topRow; row <= selection.bottomRow; ++row) frames.DeleteFrame(selection.topRow - 1);
    clearBoxesIfEmpty();
}

void GifEngine::clearFrames() {
    frames.Clear();
    clearBoxesIfEmpty();
}

bool GifEngine::duplicateSelection() {
    const int a = frames.cursor.topRow - 1;
    int n = frames.cursor.bottomRow - frames.cursor.topRow + 1;
    if (a < 0 || a >= frames.count()) return false;
    if (a + n > frames.count()) n -= 1;
    if (frames.count() + n > kFrameListCapacity) {
        error(text::kListFull);
        return false;
    }
    return frames.DuplicateFrames(a, n);
}

bool GifEngine::moveSelection(MoveTarget target) {
    const GridCursor& c = frames.cursor;
    const int a = c.topRow - 1;
    const int n = c.bottomRow - c.topRow + 1;
    switch (target) {
        case MoveTarget::Up: return frames.MoveFrames(a, n, -1);
        case MoveTarget::Down: return frames.MoveFrames(a, n, +1);
        case MoveTarget::Top: return frames.MoveFrames(a, n, 1 - c.topRow);
        case MoveTarget::Bottom: return frames.MoveFrames(a, n, frames.count() - (a + frames.selectionFrameCount()));
    }
    return false;
}

void GifEngine::selectAll() {
    if (frames.empty()) return;
    frames.cursor = GridCursor{1, 1, frames.count()};
}

std::optional<int> GifEngine::singleSelectedFrame(std::string_view noneText, std::string_view severalText) {
    const int i = frames.cursor.topRow - 1;
    if (i < 0 || i >= frames.count()) {
        error(noneText);
        return std::nullopt;
    }
    if (frames.cursor.bottomRow != frames.cursor.topRow) {
        error(severalText);
        return std::nullopt;
    }
    return i;
}

bool GifEngine::replaceSelectedFrame(const std::string& path) {
    const std::optional<int> selected = singleSelectedFrame(text::kReplaceSelectOne, text::kReplaceSelectOnlyOne);
    if (!selected) return false;
    const int i = *selected;
    const uint16_t delay = frames[i].delay();
    const int disposal = frames[i].disposal();
    const int before = frames.count();
    // The loader inserts before the current row, which is the selected one;
    // the old frame follows the file's images.
    frames.cursor = GridCursor{i + 1, i + 1, i + 1};
    LoadGifFile(path);
    const int added = frames.count() - before;
    if (added <= 0) {
        frames.cursor = GridCursor{i + 1, i + 1, i + 1};
        return false;
    }
    frames[i].setDelay(delay);
    frames[i].setDisposal(disposal);
    frames[i].setPathAndName(text::kEditedName, 0);
    frames.DeleteFrame(i + added);
    frames.cursor = GridCursor{i + 1, i + 1, i + 1};
    return true;
}

}  // namespace gifengine
