#include "html/split_frames.h"

#include "gifengine/messages.h"
#include "html/html_messages.h"

namespace assembler_html {

namespace {

std::size_t NameStart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace

std::string SplitBaseName(std::string_view chosenPath) {
    const std::size_t dot = chosenPath.rfind('.');
    if (dot == std::string_view::npos || dot < NameStart(chosenPath)) return std::string(chosenPath);
    return std::string(chosenPath.substr(0, dot));
}

std::string SplitFileName(std::string_view base, int frameNumber) {
    const char* prefix = frameNumber <= 9 ? "00" : frameNumber <= 99 ? "0" : "";
    return std::string(base) + prefix + std::to_string(frameNumber) + ".gif";
}

int WriteSplitFiles(FrameFileWriter& writer, std::string_view chosenPath) {
    const std::string base = SplitBaseName(chosenPath);
    const int count = writer.FrameCount();
    for (int i = 0; i < count; ++i)
        if (writer.MakeSingleGif(i, SplitFileName(base, i + 1)) != 1) return i;
    return count;
}

int MenuDisAssemble(FrameFileWriter& writer, gifengine::Reporter& reporter, gifengine::SaveChooser& chooser,
                    std::string& initialFolder) {
    if (writer.FrameCount() == 0) {
        reporter.ShowMessage(text::kCaptionError, text::kNoImages, gifengine::MessageButtons::Ok);
        return 0;
    }
    gifengine::SaveDialogRequest request;
    request.title = gifengine::text::kSaveTitle;
    request.filter = gifengine::text::kSaveFilter;
    request.initialFolder = initialFolder;
    const auto chosen = chooser.ChooseSaveFile(request);
    if (!chosen) return 0;
    const std::size_t start = NameStart(*chosen);
    initialFolder = start == 0 ? std::string() : chosen->substr(0, start - 1);
    return WriteSplitFiles(writer, *chosen);
}

}  // namespace assembler_html
