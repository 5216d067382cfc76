#include "assembler/html/work_files.h"

namespace flikkor::html {

namespace {
constexpr const char* kStem = "__tmp";
}

std::string WorkFilePath(const std::string& workDir, const std::string& fileName) { return workDir + "/" + fileName; }

std::string AnimationFileName() { return std::string(kStem) + ".gif"; }
std::string FrameFileName(int frameNumber) { return kStem + std::to_string(frameNumber) + ".gif"; }
std::string PageFileName() { return std::string(kStem) + ".htm"; }

}  // namespace flikkor::html
