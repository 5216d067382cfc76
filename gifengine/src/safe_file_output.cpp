// File output for the writers: buffered writes with every error kept, and a
// target that is replaced only by a complete file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "gifengine/gif_writer.h"

namespace gifengine {

namespace {

class FileSink final : public ByteSink {
public:
    explicit FileSink(int fd) : fd_(fd) { buffer_.reserve(kBufferSize); }
    using ByteSink::Put;

    void Put(const uint8_t* data, std::size_t size) override {
        if (failed_) return;
        if (buffer_.size() + size <= kBufferSize) {
            buffer_.insert(buffer_.end(), data, data + size);
            return;
        }
        Flush();
        if (size >= kBufferSize) {
            writeAll(data, size);
        } else {
            buffer_.insert(buffer_.end(), data, data + size);
        }
    }

    void Flush() {
        if (!buffer_.empty() && !failed_) writeAll(buffer_.data(), buffer_.size());
        buffer_.clear();
    }

    bool failed() const { return failed_; }

private:
    static constexpr std::size_t kBufferSize = std::size_t(1) << 20;

    void writeAll(const uint8_t* data, std::size_t size) {
        while (size > 0 && !failed_) {
            const ssize_t written = ::write(fd_, data, size);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) {
                failed_ = true;
                return;
            }
            data += written;
            size -= std::size_t(written);
        }
    }

    int fd_;
    bool failed_ = false;
    std::vector<uint8_t> buffer_;
};

// Runs produce into fd and closes it; true when every byte went out.
bool ProduceInto(int fd, const std::function<void(ByteSink&)>& produce) {
    FileSink sink(fd);
    produce(sink);
    sink.Flush();
    const bool closed = ::close(fd) == 0;
    return !sink.failed() && closed;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Opens path for writing in place, truncated; -1 when it cannot be.
int OpenInPlace(const std::string& path, int extraFlags) {
    return ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | extraFlags, 0666);
}

}  // namespace

WriteOutcome WriteFileSafely(const std::string& path, const std::function<void(ByteSink&)>& produce) {
    struct stat target {};
    const bool exists = ::lstat(path.c_str(), &target) == 0;
    if (exists && !S_ISREG(target.st_mode)) {
        // Devices, links and the like cannot be replaced by a rename; write
        // through them as they are.
        const int fd = OpenInPlace(path, 0);
        if (fd < 0) return WriteOutcome::CannotOpen;
        return ProduceInto(fd, produce) ? WriteOutcome::Written : WriteOutcome::WriteFailed;
    }
    // A file the user may not write, or one marked read-only (no write
    // permission for anyone, which binds the administrator too), is never
    // replaced: the rename below would otherwise get round its permission.
    if (exists && (::access(path.c_str(), W_OK) != 0 || (target.st_mode & 0222) == 0)) return WriteOutcome::CannotOpen;

    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temporary = FolderOf(path) + "/." + name + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        // The folder takes no temporary file; a writable target is written in place.
        if (!exists) return WriteOutcome::CannotOpen;
        const int direct = OpenInPlace(path, O_NOFOLLOW);
        if (direct < 0) return WriteOutcome::CannotOpen;
        return ProduceInto(direct, produce) ? WriteOutcome::Written : WriteOutcome::WriteFailed;
    }
    const mode_t mode = exists ? (target.st_mode & 07777) : (0666 & ~CurrentUmask());
    ::fchmod(fd, mode);
    if (!ProduceInto(fd, produce) || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return WriteOutcome::WriteFailed;
    }
    return WriteOutcome::Written;
}

}  // namespace gifengine
