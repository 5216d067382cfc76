// Loading GIF files into frame records.
#include "gifengine/gif_engine.h"

#include <cstring>

namespace gifengine {

GifEngine::GifEngine(Reporter& reporter, SaveChooser* chooser)
    : reporter_(reporter), chooser_(chooser), scanner_(reporter) {}

void GifEngine::error(std::string_view message) {
    reporter_.ShowMessage(text::kCaptionError, message, MessageButtons::Ok);
}

void GifEngine::warn(std::string_view message) {
    reporter_.ShowMessage(text::kCaptionWarning, message, MessageButtons::Ok);
}

int GifEngine::LoadGifFile(const std::string& path) { return LoadGifFiles({path}) == 1 ? 0 : -1; }

int GifEngine::LoadGifFiles(const std::vector<std::string>& paths) {
    scanner_.readFromFile = true;
    leftOut_ = 0;
    int loaded = 0;
    for (const std::string& path : paths) {
        if (frames.full()) {
            leftOut_ += scanner_.CountImagesOf(path);
        } else if (loadCurrent(path) == 0) {
            ++loaded;
        }
    }
    reportLeftOut();
    return loaded;
}

int GifEngine::LoadGifBytes(const std::string& path, std::vector<uint8_t> bytes) {
    scanner_.UseBytes(std::move(bytes));
    scanner_.readFromFile = false;
    leftOut_ = 0;
    const int result = loadCurrent(path);
    scanner_.readFromFile = true;
    reportLeftOut();
    return result;
}

void GifEngine::reportLeftOut() {
    if (leftOut_ == 0) return;
    error(std::string(text::kListFullPrefix) + std::to_string(leftOut_) + std::string(text::kListFullSuffix));
    leftOut_ = 0;
}

int GifEngine::loadCurrent(const std::string& path) {
    const bool listWasEmpty = frames.empty();
    if (listWasEmpty) {
        animationComment.clear();
        scanner_.foundComment.clear();
    }
    bool globalTaken = !listWasEmpty;
    scanner_.currentPath = path;
    bool first = true;
    int imageNumber = 1;
    auto loaderError = [this](const std::string& message) {
        reporter_.ShowMessage(text::kCaptionLoader, message, MessageButtons::Ok);
        return -1;
    };
    for (;;) {
        const int result = scanner_.ScanNextImage(first);
        if (result == kScanImage) {
            if (frames.full()) {
                // Counted here, reported once when the whole add is done.
                leftOut_ += 1 + scanner_.CountRemainingImages();
                return first ? -1 : 0;
            }
            const ScanState& s = scanner_.state;
            if (listWasEmpty && animationComment.empty() && !scanner_.foundComment.empty()) {
                animationComment = scanner_.foundComment;
            }
            if (!globalTaken && s.fileTableCount != 0) {
                global.globalCount = s.fileTableCount;
                global.entries = s.fileTable;
                globalTaken = true;
            }
            if (frames.empty()) {
                boxes.EdLSWidth = std::to_string(s.screenWidth);
                boxes.EdLSHeight = std::to_string(s.screenHeight);
                boxes.EdIteration = std::to_string(s.loopCount);
            }
            AddFrameRecord(imageNumber, listWasEmpty);
            ++imageNumber;
            first = false;
        } else if (result == kScanCannotRead) {
            return loaderError(std::string(text::kFilePrefix) + path + std::string(text::kCannotOpenSuffix));
        } else if (result == kScanNotGif) {
            return loaderError(path + std::string(text::kNotGifSuffix));
        } else if (first) {
            return loaderError(std::string(text::kFilePrefix) + path + std::string(text::kContainsErrorSuffix));
        } else {
            return 0;  // a damaged tail is dropped silently
        }
    }
}

void GifEngine::AddFrameRecord(int imageNumber, bool listWasEmpty) {
    const ScanState& s = scanner_.state;
    auto record = std::make_unique<GifFrameRecord>();
    record->raster.assign(scanner_.rasterData(), scanner_.rasterData() + s.rasterLength);
    record->rasterLength = s.rasterLength;
    record->setPath(scanner_.currentPath);
    record->imageNumber = imageNumber;
    record->control = s.controlPresent ? s.control : kDefaultControlBlock;
    record->descriptor = s.descriptor;
    record->usesGlobalTable = false;
    if (s.localTableCount != 0) {
        record->colourTable = s.localTable;
    } else {
        // The frame gets its own copy of the file's table, sized and sorted
        // as the screen descriptor says.
        uint8_t packed = uint8_t(record->descriptor.packed & ~0x27);
        packed = uint8_t(packed | (s.screenFlags & 7) | ((s.screenFlags & 0x08) << 2) | 0x80);
        record->descriptor.packed = packed;
        if (s.fileTableCount != 0) {
            record->colourTable = s.fileTable;
            if (listWasEmpty) record->usesGlobalTable = true;
        } else {
            // Neither table: a cleared table of that size, kept local.
            record->colourTable = ColourTable{};
        }
    }
    if (!listWasEmpty) record->usesGlobalTable = TableMatches(*record, global.globalCount, global.entries);
    frames.InsertFrame(std::move(record));
}

FrameRowTexts GifEngine::ShowFrameRow(int index) const { return gifengine::ShowFrameRow(frames[index], index); }

}  // namespace gifengine
