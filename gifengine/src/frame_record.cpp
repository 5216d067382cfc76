#include "gifengine/frame_record.h"

#include <algorithm>
#include <cstring>

namespace gifengine {

std::string ColourHex(int32_t value) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text(6, '0');
    for (int i = 5; i >= 0; --i) {
        text[std::size_t(i)] = digits[value & 0xF];
        value >>= 4;
    }
    return text;
}

std::string_view GifFrameRecord::pathText() const { return std::string_view(path.data()); }

std::string_view GifFrameRecord::name() const { return pathText().substr(std::min(nameOffset, pathText().size())); }

void GifFrameRecord::setPath(std::string_view fullPath) {
    const std::size_t length = std::min(fullPath.size(), kPathCapacity - 1);
    path.fill('\0');
    std::memcpy(path.data(), fullPath.data(), length);
    const std::string_view stored(path.data(), length);
    const std::size_t slash = stored.find_last_of('/');
    nameOffset = slash == std::string_view::npos ? 0 : slash + 1;
}

void GifFrameRecord::setPathAndName(std::string_view text, std::size_t nameStart) {
    setPath(text);
    nameOffset = std::min(nameStart, pathText().size());
}

bool TableMatches(const GifFrameRecord& frame, int count, const ColourTable& table) {
    return frame.tableEntryCount() == count &&
           std::memcmp(frame.colourTable.data(), table.data(), std::size_t(count) * 3) == 0;
}

}  // namespace gifengine
