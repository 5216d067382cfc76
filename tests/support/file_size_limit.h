// A full disk for one test without a real one: while a FileSizeLimit lives, no file
// of this process can grow beyond the given size, so a write past it fails with
// EFBIG ("File too large") as a write to a full disk fails with ENOSPC. Writes to
// pipes and terminals are not limited. Child processes started meanwhile inherit it.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace toolkit::testing {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = SIG_DFL;
};

}  // namespace toolkit::testing
