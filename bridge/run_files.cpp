#include "bridge/run_files.h"

#include "bridge/field_text.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace demrun {

namespace {

void throwOnFailure(const std::optional<toolkit::FileFailure>& failure) {
    if (failure) throw OutputError(*failure);
}

}  // namespace

std::string readTextFile(const std::string& path) {
    toolkit::FileFailure failure;
    auto text = toolkit::readRegularFile(path, failure);
    if (!text) throw InputError(path + ": cannot be opened (" + failure.reason + ")");
    return std::move(*text);
}

OutputError::OutputError(const toolkit::FileFailure& failure)
    : std::runtime_error(failure.path + ": cannot be written (" + failure.reason + ")") {}

toolkit::StagedFile& OutputFiles::add(const std::string& path) {
    removeOldPartFiles(path);
    toolkit::StagedFile* file = set_.add(path);
    throwOnFailure(set_.failure());
    files_.push_back(file);
    return *file;
}

void OutputFiles::add(const std::string& path, std::string_view text) { add(path).write(text); }

void OutputFiles::finish() {
    for (toolkit::StagedFile* file : files_) throwOnFailure(file->finish());
}

void OutputFiles::commit(const std::function<void()>& beforeRenames) {
    finish();
    if (beforeRenames) beforeRenames();
    throwOnFailure(set_.commit());
}

int removeOldPartFiles(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + ".part";
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string digits = name.substr(prefix.size());
        if (digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
        const long pid = std::strtol(digits.c_str(), nullptr, 10);
        if (pid <= 0 || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM) continue;
        const std::string full = folder + "/" + name;
        struct stat info {};
        if (::lstat(full.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) continue;
        if (::unlink(full.c_str()) == 0) ++removed;
    }
    ::closedir(directory);
    return removed;
}

}  // namespace demrun
