// Names of the files the HTML image list writes into the work folder.
#pragma once

#include <string>

namespace flikkor::html {

// A path inside the work folder: folder + "/" + file name.
std::string WorkFilePath(const std::string& workDir, const std::string& fileName);

std::string AnimationFileName();             // "__tmp.gif"
std::string FrameFileName(int frameNumber);  // "__tmp" + n + ".gif", n from 1, no leading zeros
std::string PageFileName();                  // "__tmp.htm"

}  // namespace flikkor::html
