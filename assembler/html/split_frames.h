// "画像分解": every frame written alone as a numbered single-image GIF file.
#pragma once

#include <string>
#include <string_view>

#include "gifengine/reporter.h"
#include "html/frame_file_writer.h"

namespace assembler_html {

// The chosen path without its extension: from the last "." of the file-name
// part on (a dot in a folder name does not count).
std::string SplitBaseName(std::string_view chosenPath);

// base + "00" n for 1..9, + "0" n for 10..99, + n from 100 on, + ".gif".
std::string SplitFileName(std::string_view base, int frameNumber);

// Writes frame i to SplitFileName(base, i + 1) for every frame; stops at the
// first failure (the files already written stay). Returns the number written.
int WriteSplitFiles(FrameFileWriter& writer, std::string_view chosenPath);

// The whole command: "画像がありません" for an empty list, the save dialog
// (its folder remembered in initialFolder), then the numbered files. The
// caller re-reads its file and folder lists afterwards in every case.
// Returns the number of files written.
int MenuDisAssemble(FrameFileWriter& writer, gifengine::Reporter& reporter, gifengine::SaveChooser& chooser,
                    std::string& initialFolder);

}  // namespace assembler_html
