#include "gifengine/frame_list.h"

#include <algorithm>

namespace gifengine {

FrameList::FrameList() { frames_.reserve(kFrameListCapacity); }

int FrameList::insertionIndex() const { return std::clamp(cursor.currentRow - 1, 0, count()); }

void FrameList::selectRows(int current, int top, int bottom) {
    cursor.currentRow = current;
    cursor.topRow = top;
    cursor.bottomRow = bottom;
}

bool FrameList::InsertFrame(std::unique_ptr<GifFrameRecord> record) {
    if (full()) return false;
    const int p = insertionIndex();
    frames_.insert(frames_.begin() + p, std::move(record));
    // The row that was current moved down with its frame and stays current.
    const int current = p + 2;
    selectRows(current, current, current);
    return true;
}

void FrameList::DeleteFrame(int i) {
    if (i < 0 || i >= count()) return;
    frames_.erase(frames_.begin() + i);
    selectRows(i + 1, i + 1, i + 1);
}

bool FrameList::DuplicateFrames(int a, int n) {
    if (a < 0 || a >= count()) return false;
    if (a + n > count()) n -= 1;
    if (n <= 0 || a + n > count() || count() + n > kFrameListCapacity) return false;
    std::vector<std::unique_ptr<GifFrameRecord>> copies;
    copies.reserve(std::size_t(n));
    for (int k = 0; k < n; ++k) copies.push_back(std::make_unique<GifFrameRecord>((*this)[a + k]));
    frames_.insert(frames_.begin() + a + n, std::make_move_iterator(copies.begin()),
                   std::make_move_iterator(copies.end()));
    selectRows(a + n + 1, a + n + 1, a + 2 * n);
    return true;
}

bool FrameList::MoveFrames(int a, int n, int d) {
    if (a < 0 || a >= count()) return false;
    if (a + n == count() + 1) n -= 1;
    if (n <= 0 || a + n > count()) return false;
    if (d == 0 || (d < 0 && a + d < 0) || (d > 0 && a + d + n > count())) return false;
    const auto first = frames_.begin() + a;
    if (d < 0) {
        std::rotate(first + d, first, first + n);
    } else {
        std::rotate(first, first + n, first + n + d);
    }
    selectRows(a + d + 1, a + d + 1, a + d + n);
    return true;
}

void FrameList::Clear() {
    while (!empty()) DeleteFrame(count() - 1);
    selectRows(1, 1, 1);
}

int FrameList::selectionFrameCount() const {
    const int bottom = std::min(cursor.bottomRow, count());
    return std::max(0, bottom - cursor.topRow + 1);
}

}  // namespace gifengine
