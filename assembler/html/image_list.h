// The HTML image list: the whole animation and every frame alone in the work
// folder, and a page that shows them in a table.
#pragma once

#include <functional>
#include <string>

#include "assembler/html/frame_file_writer.h"
#include "gifengine/reporter.h"

namespace flikkor::html {

// The page as UTF-8 text with CR LF line ends: five line ends before the
// first table row, every row on one line, three line ends after the last.
std::string ImageListPageText(int frameCount);

// Writes "__tmp.gif", "__tmp1.gif" .. "__tmpN.gif" and the page (Shift_JIS
// bytes) into workDir, never through a link placed there. Stops at the first
// failed write (the writer has reported); a page that cannot be written is
// reported here with its reason. True when the page was written.
bool BuildImageList(FrameFileWriter& writer, gifengine::Reporter& reporter, const std::string& workDir);

// "全画像確認（ブラウザ）": builds the list and, when that worked, opens the
// page in the browser. The caller re-reads its file and folder lists after
// this in every case.
bool MenuShowImage(FrameFileWriter& writer, gifengine::Reporter& reporter, const std::string& workDir,
                   const std::function<void(const std::string&)>& openInBrowser);

}  // namespace flikkor::html
