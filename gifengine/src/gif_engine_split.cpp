// The split: every frame written alone as a numbered single-image file.
#include <sys/stat.h>

#include "gifengine/file_output.h"
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

std::string SplitReplaceQuestion(const std::vector<std::string>& existing) {
    std::string question = existing.front();
    if (existing.size() == 1) {
        question += text::kOneExistsSuffix;
    } else {
        question += std::string(text::kSeveralExistMiddle) + std::to_string(existing.size()) +
                    std::string(text::kSeveralExistSuffix);
    }
    return question + std::string(text::kAskOverwrite);
}

int GifEngine::splitIntoFiles() {
    if (frames.empty()) {
        error(text::kNoImages);
        return 0;
    }
    // The same dialog as the make's, so both remember one folder. It asks about
    // the typed name only; the numbered files are asked about here, once.
    const std::optional<std::string> chosen = chooseSaveFile();
    if (!chosen) return 0;
    const std::string base = SplitBaseName(*chosen);
    std::vector<std::string> names;
    std::vector<std::string> existing;
    for (int i = 0; i < frames.count(); ++i) {
        names.push_back(SplitFileName(base, i + 1));
        struct stat entry {};
        if (::lstat(names.back().c_str(), &entry) == 0) existing.push_back(names.back());
    }
    if (!existing.empty() && reporter_.ShowMessage(text::kCaptionConfirm, SplitReplaceQuestion(existing),
                                                   MessageButtons::OkCancel) != MessageAnswer::Ok)
        return 0;
    // The numbered files belong together: none replaces an old one unless all were written.
    FileSetOutput files(OutputKind::UserFile);
    for (int i = 0; i < frames.count(); ++i) {
        const GifFrameRecord& frame = frames[i];
        if (!files.add(names[std::size_t(i)], [&](ByteSink& sink) { WriteSingleLayout(sink, frame); })) break;
    }
    return reportWrite(files.commit()) == 1 ? frames.count() : 0;
}

}  // namespace gifengine
