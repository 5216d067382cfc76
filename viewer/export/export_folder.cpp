#include "viewer/export/export_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <regex>
#include <vector>

namespace sorvath {
namespace {

namespace fs = std::filesystem;

toolkit::FileFailure failureOf(const std::string& path, int error) { return {path, std::strerror(error), error}; }

// Why no file can be made in the folder; empty when one can.
std::string folderProblem(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return std::strerror(errno);
    if (!S_ISDIR(info.st_mode)) return std::strerror(ENOTDIR);
    if ((info.st_mode & 0222) == 0 || ::access(folder.c_str(), W_OK | X_OK) != 0) return std::strerror(EACCES);
    std::string probe = folder + "/.sorvath-write-check-XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return std::strerror(errno);
    ::close(fd);
    ::unlink(probe.c_str());
    return {};
}

// Makes the folder (and, when `parents`, the folders above it) unless it exists;
// true when it was made now.
bool makeFolder(const std::string& folder, bool parents) {
    std::error_code error;
    if (fs::is_directory(folder, error)) return false;
    return parents ? fs::create_directories(folder, error) : fs::create_directory(folder, error);
}

bool isEarlierExportFile(const std::string& name) {
    static const std::regex frame("temp-[0-9]+\\.gif");
    return name == "tempanim.gif" || std::regex_match(name, frame);
}

}  // namespace

std::string sorvathCacheFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') return std::string(cache) + "/sorvath";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.cache/sorvath";
    return {};
}

std::string runAnimationFolder(const std::string& outputPath) {
    return (fs::absolute(outputPath).lexically_normal().parent_path() / "animation").string();
}

std::string cachedAnimationFolder(const std::string& outputPath, const std::string& cacheFolder) {
    const fs::path output = fs::absolute(outputPath).lexically_normal();
    const std::string runFolder = output.parent_path().filename().string();
    std::string name = output.filename().string();
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dat") == 0) name.resize(name.size() - 4);
    return (fs::path(cacheFolder) / (runFolder.empty() ? name : runFolder + "-" + name)).string();
}

bool folderTakesFiles(const std::string& folder) { return folderProblem(folder).empty(); }

std::optional<ExportFolder> prepareExportFolder(const std::string& outputPath, const std::string& cacheFolder,
                                                std::string& problem) {
    const std::string beside = runAnimationFolder(outputPath);
    std::string besideProblem = folderProblem(fs::path(beside).parent_path().string());
    if (besideProblem.empty() || fs::is_directory(beside)) {
        const bool created = besideProblem.empty() && makeFolder(beside, false);
        besideProblem = folderProblem(beside);
        if (besideProblem.empty()) return ExportFolder{beside, created};
        if (created) fs::remove(beside);
    }
    problem = beside + " (" + besideProblem + ")";
    if (cacheFolder.empty()) {
        problem += ", and no cache folder is known (neither XDG_CACHE_HOME nor HOME is set)";
        return std::nullopt;
    }
    const std::string cached = cachedAnimationFolder(outputPath, cacheFolder);
    const bool created = makeFolder(cached, true);
    const std::string cachedProblem = folderProblem(cached);
    if (cachedProblem.empty()) return ExportFolder{cached, created};
    problem += ", " + cached + " (" + cachedProblem + ")";
    return std::nullopt;
}

std::optional<toolkit::FileFailure> removeEarlierExportFiles(const std::string& folder) {
    std::vector<fs::path> earlier;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const fs::path path = entry->path();
        if (!isEarlierExportFile(path.filename().string())) continue;
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) return failureOf(path.string(), errno);
        if (S_ISDIR(info.st_mode)) return failureOf(path.string(), EISDIR);
        // A file marked read-only, or one the user may not write, is kept as the safe output keeps it.
        if (S_ISREG(info.st_mode) && ((info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0))
            return failureOf(path.string(), EACCES);
        earlier.push_back(path);
    }
    if (error) return failureOf(folder, error.value());
    for (const fs::path& path : earlier)
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) return failureOf(path.string(), errno);
    return std::nullopt;
}

}  // namespace sorvath
