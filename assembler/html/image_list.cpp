#include "assembler/html/image_list.h"

#include <cstdio>

#include "assembler/html/html_messages.h"
#include "assembler/html/work_files.h"
#include "assembler/text/shift_jis.h"

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

    std::FILE* file = std::fopen(WorkFilePath(workDir, PageFileName()).c_str(), "wb");
    if (!file) {
        reporter.ShowMessage(text::kCaptionError, text::kCannotOpen, gifengine::MessageButtons::Ok);
        return false;
    }
    const std::string bytes = flikkor::utf8ToShiftJis(ImageListPageText(count));
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return true;
}

bool MenuShowImage(FrameFileWriter& writer, gifengine::Reporter& reporter, const std::string& workDir,
                   const std::function<void(const std::string&)>& openInBrowser) {
    if (!BuildImageList(writer, reporter, workDir)) return false;
    openInBrowser(WorkFilePath(workDir, PageFileName()));
    return true;
}

}  // namespace flikkor::html
