#include "common/safe_output.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace toolkit {

namespace {

constexpr std::size_t kBufferSize = std::size_t(1) << 20;

std::string systemReason(int error) { return std::strerror(error); }

FileFailure failureOf(const std::string& path, int error) { return FileFailure{path, systemReason(error), error}; }

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The file a rename must replace: the path itself, or the final target of its
// symbolic links (a link to a file that does not exist yet names that new file).
std::string replacedPath(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
    // A dangling link: the rename goes where the link points, relative to its folder.
    std::string target(static_cast<std::size_t>(link.st_size) + 1, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0) return path;
    target.resize(static_cast<std::size_t>(length));
    return target.front() == '/' ? target : folderOf(path) + "/" + target;
}

bool processRuns(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

bool writeAll(int fd, const std::uint8_t* data, std::size_t size, int& error) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            error = written < 0 ? errno : EIO;
            return false;
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

}  // namespace

std::string temporaryPattern(const std::string& path, long pid) {
    return folderOf(path) + "/." + nameOf(path) + "." + std::to_string(pid) + ".XXXXXX";
}

int removeStaleTemporaries(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string prefix = "." + nameOf(path) + ".";
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name.size() <= prefix.size() + 7 || name.substr(0, prefix.size()) != prefix) continue;
        // ".<name>.<pid>.XXXXXX": digits, a dot and six characters after the prefix.
        const std::string_view rest = name.substr(prefix.size());
        const std::size_t dot = rest.size() - 7;
        if (rest[dot] != '.' || dot == 0 || dot > 10) continue;
        const std::string_view digits = rest.substr(0, dot);
        if (digits.find_first_not_of("0123456789") != std::string_view::npos) continue;
        const long pid = std::strtol(std::string(digits).c_str(), nullptr, 10);
        if (processRuns(pid)) continue;
        const std::string full = folder + "/" + std::string(name);
        struct stat info {};
        if (::lstat(full.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) continue;
        if (::unlink(full.c_str()) == 0) ++removed;
    }
    ::closedir(directory);
    return removed;
}

StagedFile::StagedFile(std::string path, std::string writtenPath, std::string temporary, int fd, Durability durability)
    : path_(std::move(path)),
      writtenPath_(std::move(writtenPath)),
      temporary_(std::move(temporary)),
      fd_(fd),
      durability_(durability) {
    buffer_.reserve(kBufferSize);
}

StagedFile::~StagedFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void StagedFile::fail(int error) {
    if (!failure_) failure_ = failureOf(path_, error);
}

void StagedFile::flushBuffer() {
    int error = 0;
    if (!buffer_.empty() && !failure_ && !writeAll(fd_, buffer_.data(), buffer_.size(), error)) fail(error);
    buffer_.clear();
}

void StagedFile::write(const void* data, std::size_t size) {
    if (failure_ || finished_) return;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (buffer_.size() + size > kBufferSize) flushBuffer();
    if (size >= kBufferSize) {
        int error = 0;
        if (!failure_ && !writeAll(fd_, bytes, size, error)) fail(error);
        return;
    }
    buffer_.insert(buffer_.end(), bytes, bytes + size);
}

std::optional<FileFailure> StagedFile::finish() {
    if (finished_) return failure_;
    finished_ = true;
    flushBuffer();
    std::vector<std::uint8_t>().swap(buffer_);  // a finished file waiting for its rename holds no memory
    const bool regular = !temporary_.empty();
    if (!failure_ && regular && durability_ == Durability::Synced && ::fsync(fd_) != 0) fail(errno);
    if (::close(fd_) != 0) fail(errno);
    fd_ = -1;
    return failure_;
}

std::optional<FileFailure> StagedFile::commit() {
    if (auto failure = finish()) return failure;
    if (temporary_.empty()) return std::nullopt;  // written through a device
    if (::rename(temporary_.c_str(), writtenPath_.c_str()) != 0) {
        fail(errno);
        return failure_;
    }
    temporary_.clear();
    return std::nullopt;
}

std::optional<FileFailure> stageFile(const std::string& path, Durability durability,
                                     std::unique_ptr<StagedFile>& staged) {
    staged.reset();
    const std::string written = replacedPath(path);
    struct stat target {};
    const bool exists = ::stat(written.c_str(), &target) == 0;
    if (exists && S_ISDIR(target.st_mode)) return failureOf(path, EISDIR);
    if (exists && !S_ISREG(target.st_mode)) {
        // Devices cannot be replaced by a rename; they are written as they are.
        const int fd = ::open(written.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) return failureOf(path, errno);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        staged.reset(new StagedFile(path, written, std::string(), fd, durability));
        return std::nullopt;
    }
    // A file the user may not write, or one marked read-only (no write permission
    // for anyone, which binds the administrator too), is never replaced: the rename
    // would otherwise get round its permission.
    if (exists && (::access(written.c_str(), W_OK) != 0 || (target.st_mode & 0222) == 0))
        return failureOf(path, EACCES);

    removeStaleTemporaries(written);
    std::string temporary = temporaryPattern(written, static_cast<long>(::getpid()));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return failureOf(path, errno);
    const mode_t mode = exists ? (target.st_mode & 07777) : (0666 & ~currentUmask());
    if (::fchmod(fd, mode) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        return failureOf(path, error);
    }
    staged.reset(new StagedFile(path, written, temporary, fd, durability));
    return std::nullopt;
}

std::optional<FileFailure> writeFileSafely(const std::string& path, std::string_view text, Durability durability) {
    std::unique_ptr<StagedFile> staged;
    if (auto failure = stageFile(path, durability, staged)) return failure;
    staged->write(text);
    return staged->commit();
}

StagedFile* OutputSet::add(const std::string& path) {
    std::unique_ptr<StagedFile> staged;
    if (auto failure = stageFile(path, durability_, staged)) {
        if (!failure_) failure_ = failure;
        return nullptr;
    }
    files_.push_back(std::move(staged));
    return files_.back().get();
}

void OutputSet::add(const std::string& path, std::string_view text) {
    if (StagedFile* file = add(path)) file->write(text);
}

std::optional<FileFailure> OutputSet::failure() const {
    if (failure_) return failure_;
    for (const auto& file : files_)
        if (file->failure_) return file->failure_;
    return std::nullopt;
}

std::optional<FileFailure> OutputSet::commit() {
    for (const auto& file : files_) {
        const auto failure = file->finish();
        if (failure && !failure_) failure_ = failure;
    }
    if (failure_) {
        files_.clear();  // removes every temporary file
        return failure_;
    }
    for (const auto& file : files_)
        if (auto failure = file->commit()) {
            failure_ = failure;
            break;
        }
    files_.clear();
    return failure_;
}

int openRegularFile(const std::string& path, FileFailure& failure) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        failure = failureOf(path, errno);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        failure = S_ISDIR(info.st_mode) ? failureOf(path, EISDIR) : FileFailure{path, "not a regular file", 0};
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::optional<std::string> readRegularFile(const std::string& path, FileFailure& failure) {
    const int fd = openRegularFile(path, failure);
    if (fd < 0) return std::nullopt;
    std::string text;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            failure = failureOf(path, errno);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        text.append(buffer, std::size_t(n));
    }
    ::close(fd);
    return text;
}

}  // namespace toolkit
