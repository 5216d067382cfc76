#include "bridge/run_markers.h"

#include "bridge/field_text.h"
#include "bridge/run_files.h"
#include "common/safe_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>

namespace demrun {

namespace {

std::string inFolder(const std::string& folder, const char* name) {
    return (std::filesystem::path(folder) / name).string();
}

// The value of "key = value" in a marker's text; empty when missing.
std::string valueOf(const std::string& text, const std::string& key) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || line.compare(0, key.size(), key) != 0) continue;
        if (line.find_first_not_of(' ', key.size()) != equals) continue;
        const std::size_t start = line.find_first_not_of(' ', equals + 1);
        return start == std::string::npos ? std::string()
                                          : line.substr(start, line.find_last_not_of(" \r") + 1 - start);
    }
    return {};
}

bool processRuns(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

// Creates path holding text, complete from its first moment, unless a file of that
// name exists: false then. The text goes into a private temporary file that is linked
// to the final name, which fails when the name is taken.
bool createExclusively(const std::string& path, const std::string& text) {
    std::string temporary = toolkit::temporaryPattern(path, static_cast<long>(::getpid()));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) throw OutputError(toolkit::FileFailure{path, std::strerror(errno), errno});
    const auto fail = [&](int error) {
        ::unlink(temporary.c_str());
        throw OutputError(toolkit::FileFailure{path, std::strerror(error), error});
    };
    const ssize_t written = ::write(fd, text.data(), text.size());
    int error = written == static_cast<ssize_t>(text.size()) ? 0 : written < 0 ? errno : ENOSPC;
    if (error == 0 && ::fchmod(fd, 0644) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) fail(error);
    if (::link(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        if (error == EEXIST) return false;
        fail(error);
    }
    ::unlink(temporary.c_str());
    return true;
}

}  // namespace

std::string newRunStamp() {
    std::random_device device;
    const unsigned long long bits = (static_cast<unsigned long long>(device()) << 32) ^ device();
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    char text[48];
    std::snprintf(text, sizeof text, "%lld-%016llx", static_cast<long long>(seconds), bits);
    return text;
}

std::string copiedRunStamp(const std::string& folder) {
    toolkit::FileFailure failure;
    const auto text = toolkit::readRegularFile(inFolder(folder, kStampFile), failure);
    if (!text) {
        if (failure.error == ENOENT) return {};
        throw InputError(failure.path + ": cannot be read (" + failure.reason + ")");
    }
    return valueOf(*text, "run_stamp");
}

void writeRunStamp(const std::string& folder, const std::string& stamp) {
    const std::string path = inFolder(folder, kStampFile);
    if (stamp.empty()) {
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            throw OutputError(toolkit::FileFailure{path, std::strerror(errno), errno});
        return;
    }
    OutputFiles files;
    files.add(path, "# the preparation the dumps of this folder belong to (written by demrun run)\nrun_stamp = " +
                        stamp + "\n");
    files.commit();
}

std::optional<MarkerOwner> readMarker(const std::string& path) {
    toolkit::FileFailure failure;
    const auto text = toolkit::readRegularFile(path, failure);
    if (!text) {
        if (failure.error == ENOENT) return std::nullopt;
        throw InputError(failure.path + ": cannot be read (" + failure.reason + ")");
    }
    MarkerOwner owner;
    double pid = 0.0;
    if (parseFieldDouble(valueOf(*text, "pid"), pid) && pid >= 1 && pid <= 1e9) owner.pid = static_cast<long>(pid);
    owner.running = processRuns(owner.pid);
    owner.stamp = valueOf(*text, "run_stamp");
    return owner;
}

HeldMarker::HeldMarker(const std::string& path, const std::string& stamp, const std::string& busy) {
    const std::string text = "# written by demrun while it works on this folder, removed when it is done\npid = " +
                             std::to_string(::getpid()) + "\nrun_stamp = " + stamp + "\n";
    // A marker of a process that no longer runs is taken over; twice at most, in case
    // another demrun takes it over at the same moment.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (createExclusively(path, text)) {
            path_ = path;
            return;
        }
        const auto owner = readMarker(path);
        if (owner && owner->running) throw InputError(busy + " (process " + std::to_string(owner->pid) + ")");
        if (owner && ::unlink(path.c_str()) != 0 && errno != ENOENT)
            throw OutputError(toolkit::FileFailure{path, std::strerror(errno), errno});
    }
    throw InputError(busy);
}

HeldMarker::~HeldMarker() {
    if (!path_.empty()) ::unlink(path_.c_str());
}

void HeldMarker::keep() { path_.clear(); }

}  // namespace demrun
