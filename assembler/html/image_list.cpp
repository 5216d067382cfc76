#include "assembler/html/image_list.h"

#include "assembler/html/html_messages.h"
#include "assembler/html/work_files.h"
#include "assembler/text/shift_jis.h"
#include "gifengine/file_output.h"

namespace flikkor::html {

namespace {

std::string ImageCell(const std::string& fileName) {
    return "<IMG SRC=" + fileName + " BORDER=0 VSPACE=0 HSPACE=0></TD></TR>";
}

}  // namespace

// The page is Shift_JIS on disk; its META element says so, so that no browser
// has to guess the encoding of the Japanese texts.
std::string ImageListPageText(int frameCount) {
    std::string page =
        "<HTML>\r\n<HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">"
        "<TITLE>画像一覧</TITLE></HEAD>\r\n<BODY BGCOLOR=#FFFFFF>\r\n"
        "画像一覧<BR>\r\n<TABLE BORDER=1 CELLPADDING=5>\r\n";
    page += "<TR><TD>作成画像</TD><TD>" + ImageCell(AnimationFileName());
    for (int n = 1; n <= frameCount; ++n)
        page += "<TR><TD>画像 " + std::to_string(n) + "</TD><TD>" + ImageCell(FrameFileName(n));
    page += "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";
    return page;
}

bool BuildImageList(FrameFileWriter& writer, gifengine::Reporter& reporter, const std::string& workDir) {
    if (writer.MakeAnimatedGif(WorkFilePath(workDir, AnimationFileName())) != 1) return false;
    const int count = writer.FrameCount();
    for (int n = 1; n <= count; ++n)
        if (writer.MakeSingleGif(n - 1, WorkFilePath(workDir, FrameFileName(n))) != 1) return false;

    const std::string bytes = flikkor::utf8ToShiftJis(ImageListPageText(count));
    const auto failure = gifengine::WriteFileSafely(
        WorkFilePath(workDir, PageFileName()), gifengine::OutputKind::WorkFile,
        [&](gifengine::ByteSink& sink) { sink.Put(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()); });
    if (failure) reporter.ShowMessage(text::kCaptionError, failure->message(), gifengine::MessageButtons::Ok);
    return !failure;
}

bool MenuShowImage(FrameFileWriter& writer, gifengine::Reporter& reporter, const std::string& workDir,
                   const std::function<void(const std::string&)>& openInBrowser) {
    if (!BuildImageList(writer, reporter, workDir)) return false;
    openInBrowser(WorkFilePath(workDir, PageFileName()));
    return true;
}

}  // namespace flikkor::html
