// The split: every frame written alone as a numbered single-image file.
#include "gifengine/gif_engine.h"
#include "gifengine/split_names.h"

namespace gifengine {

std::string SplitBaseName(std::string_view chosenPath) {
    const std::size_t slash = chosenPath.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = chosenPath.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart) return std::string(chosenPath);
    return std::string(chosenPath.substr(0, dot));
}

std::string SplitFileName(std::string_view base, int frameNumber) {
    const char* prefix = frameNumber <= 9 ? "00" : frameNumber <= 99 ? "0" : "";
    return std::string(base) + prefix + std::to_string(frameNumber) + ".gif";
}

int GifEngine::splitIntoFiles() {
    if (frames.empty()) {
        error(text::kNoImages);
        return 0;
    }
    // The same dialog as the make's, so both remember one folder.
    const std::optional<std::string> chosen = chooseSaveFile();
    if (!chosen) return 0;
    const std::string base = SplitBaseName(*chosen);
    for (int i = 0; i < frames.count(); ++i) {
        // The writer has reported a failure; the files already written stay.
        if (MakeSingleGif(i, SplitFileName(base, i + 1)) != 1) return i;
    }
    return frames.count();
}

}  // namespace gifengine
