// Writing the animation and single frames, the size estimate and the global
// colour table commands.
#include <algorithm>

#include "gifengine/file_output.h"
#include "gifengine/gif_engine.h"
#include "gifengine/gif_writer.h"
#include "gifengine/integer_text.h"

namespace gifengine {

namespace {

int FirstGlobalFrame(const FrameList& frames) {
    for (int i = 0; i < frames.count(); ++i) {
        if (frames[i].usesGlobalTable) return i;
    }
    return -1;
}

// Chosen save name with its extension replaced by ".gif".
std::string WithGifExtension(const std::string& chosen) {
    const std::size_t slash = chosen.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = chosen.find_last_of('.');
    std::string base = (dot != std::string::npos && dot >= nameStart) ? chosen.substr(0, dot) : chosen;
    return base + ".gif";
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return std::string();
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace

int GifEngine::MakeAnimatedGif(const std::string& requestedPath, OutputKind kind) {
    const bool interactive = requestedPath.empty();
    if (frames.empty()) {
        error(text::kNoSourceImages);
        return 0;
    }
    const int32_t width = ScreenDimensionValue(boxes.EdLSWidth);
    const int32_t height = ScreenDimensionValue(boxes.EdLSHeight);
    int32_t loop = RepeatCountValue(boxes.EdIteration);
    if (width <= 0 || height <= 0) {
        error(text::kBadScreenSize);
        return 0;
    }
    if (loop < 0) {
        if (interactive) warn(text::kBadRepeatCount);
        loop = 0;
    }
    const int globalFrame = FirstGlobalFrame(frames);
    if (globalFrame < 0 && interactive) warn(text::kNoGlobalTable);

    bool outside = false;
    bool restorePrevious = false;
    for (int i = 0; i < frames.count(); ++i) {
        const ImageDescriptor& d = frames[i].descriptor;
        outside = outside || d.left + d.width > width || d.top + d.height > height;
        restorePrevious = restorePrevious || frames[i].disposal() == 3;
    }
    if (outside) warn(text::kOutsideScreen);
    if (restorePrevious) warn(text::kRestorePrevious);

    std::string path = requestedPath;
    if (interactive) {
        const std::optional<std::string> chosen = chooseSaveFile();
        if (!chosen) return 0;
        path = WithGifExtension(*chosen);
        LastMadeFile = path;
        kind = OutputKind::UserFile;
    }

    AnimationLayout layout;
    layout.screenWidth = uint16_t(width);
    layout.screenHeight = uint16_t(height);
    layout.loop = loop;
    layout.globalFrame = globalFrame;
    layout.global = &global;
    layout.comment = animationComment;
    return reportWrite(WriteFileSafely(path, kind, [&](ByteSink& sink) {
        LastMadeWidth = layout.screenWidth;
        LastMadeHeight = layout.screenHeight;
        WriteAnimatedLayout(sink, frames, layout);
    }));
}

SaveDialogRequest GifEngine::saveRequest() const {
    return SaveDialogRequest{std::string(text::kSaveTitle),
                             std::string(text::kSaveFilter),
                             std::string(text::kSaveInitialName),
                             saveInitialFolder,
                             true,
                             true};
}

std::optional<std::string> GifEngine::chooseSaveFile() {
    if (chooser_ == nullptr) return std::nullopt;
    std::optional<std::string> chosen = chooser_->ChooseSaveFile(saveRequest());
    if (!chosen || chosen->empty()) return std::nullopt;
    saveInitialFolder = FolderOf(*chosen);
    return chosen;
}

int GifEngine::reportWrite(const std::optional<WriteFailure>& failure) {
    if (!failure) return 1;
    error(failure->message());
    return 0;
}

int GifEngine::MakeSingleGif(int index, const std::string& path, OutputKind kind) {
    if (index < 0 || index >= frames.count()) return 0;
    const GifFrameRecord& frame = frames[index];
    return reportWrite(WriteFileSafely(path, kind, [&](ByteSink& sink) { WriteSingleLayout(sink, frame); }));
}

std::optional<int64_t> GifEngine::PredictFileSize() const {
    if (frames.empty()) return std::nullopt;
    AnimationLayout layout;
    layout.loop = RepeatCountValue(boxes.EdIteration);
    layout.globalFrame = FirstGlobalFrame(frames);
    layout.global = &global;
    layout.comment = animationComment;
    return AnimatedLayoutSize(frames, layout);
}

std::string GifEngine::PredictFileSizeText() const {
    const auto size = PredictFileSize();
    return size ? std::to_string(*size) : std::string();
}

void GifEngine::SetGlobalTableFromFrame(int index) {
    if (index < 0 || index >= frames.count()) {
        error(text::kGlobalTableNoImage);
        return;
    }
    GifFrameRecord& chosen = frames[index];
    global.globalCount = uint16_t(chosen.tableEntryCount());
    std::copy_n(chosen.colourTable.begin(), global.globalCount, global.entries.begin());
    for (int i = 0; i < frames.count(); ++i) {
        frames[i].usesGlobalTable = i == index || TableMatches(frames[i], global.globalCount, global.entries);
    }
}

void GifEngine::setGlobalTableFromSelection() {
    if (frames.cursor.topRow != frames.cursor.bottomRow) {
        error(text::kGlobalTableSelectOne);
        return;
    }
    SetGlobalTableFromFrame(frames.cursor.topRow - 1);
}

void GifEngine::ClearGlobalTableUse() {
    for (int i = 0; i < frames.count(); ++i) frames[i].usesGlobalTable = false;
}

void GifEngine::fitScreenToSelection() {
    const int index = frames.cursor.topRow - 1;
    if (index < 0 || index >= frames.count()) {
        error(text::kScreenSizeNoImage);
        return;
    }
    boxes.EdLSWidth = std::to_string(frames[index].descriptor.width);
    boxes.EdLSHeight = std::to_string(frames[index].descriptor.height);
}

}  // namespace gifengine
