// Safe file output shared by every program: a file is written under a private
// temporary name in its own folder and renamed to its final name only when every
// byte was written, flushed and closed. A failure keeps the old file, removes the
// temporary one and names the final file with the system's reason. Several files
// that belong together are written as one set: all of them are finished before the
// first is renamed. Plain C++ and POSIX.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

// Why a file could not be written or read: the file's name as the caller gave it
// and the system's reason ("No space left on device", "Permission denied", ...).
struct FileFailure {
    std::string path;
    std::string reason;
    int error = 0;  // the errno value behind `reason`, 0 when the reason is our own

    // "<path>: <reason>"
    std::string message() const { return path + ": " + reason; }
};

// How hard a finished file is pushed to the disk before it is renamed.
enum class Durability {
    Synced,  // fsync before the rename: the new file survives a power cut once renamed
    Cached,  // no fsync: for scratch files that are remade anyway (export frames)
};

// One file being written. Writes are buffered; the first failure is kept and every
// later write is ignored, so a producer may write on and check once at the end.
class StagedFile {
public:
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile();  // removes the temporary file unless it was committed

    void write(const void* data, std::size_t size);
    void write(std::string_view text) { write(text.data(), text.size()); }

    // Flushes, syncs (as asked) and closes the temporary file.
    std::optional<FileFailure> finish();
    // finish() when not done yet, then renames the temporary file to the final name.
    std::optional<FileFailure> commit();

    const std::string& path() const { return path_; }
    bool failed() const { return failure_.has_value(); }

private:
    friend class OutputSet;
    friend std::optional<FileFailure> stageFile(const std::string&, Durability, std::unique_ptr<StagedFile>&);
    StagedFile(std::string path, std::string writtenPath, std::string temporary, int fd, Durability durability);
    void flushBuffer();
    void fail(int error);

    std::string path_;         // the final name, as the caller gave it (for messages)
    std::string writtenPath_;  // the file the rename replaces: path_, or what its symbolic link names
    std::string temporary_;    // empty once renamed or when writing through a device
    int fd_;
    Durability durability_;
    std::vector<std::uint8_t> buffer_;
    std::optional<FileFailure> failure_;
    bool finished_ = false;
};

// Starts writing `path`. Refused, with the reason, when the path names a folder, an
// existing file the user may not write or that is marked read-only for everyone, or
// when its folder takes no new file: an existing file is never truncated and
// written in place. A symbolic link is followed and the file it names is replaced;
// a device (such as /dev/null) is written through as it is. The new file gets the
// old file's permissions, or 0666 less the umask. Temporary files of this name left
// by processes that no longer run are removed first.
std::optional<FileFailure> stageFile(const std::string& path, Durability durability,
                                     std::unique_ptr<StagedFile>& staged);

// Writes `text` as the whole content of `path`, safely.
std::optional<FileFailure> writeFileSafely(const std::string& path, std::string_view text,
                                           Durability durability = Durability::Synced);

// Files that belong together: each is staged and written; commit() finishes them
// all and only then renames them one after another. On any failure nothing is
// renamed and every temporary file is removed.
class OutputSet {
public:
    explicit OutputSet(Durability durability = Durability::Synced) : durability_(durability) {}

    // Stages `path`; nullptr and the failure kept when it cannot be staged.
    StagedFile* add(const std::string& path);
    // Stages `path` and writes `text` into it.
    void add(const std::string& path, std::string_view text);

    // The first failure so far (staging or writing), if any.
    std::optional<FileFailure> failure() const;
    std::optional<FileFailure> commit();

private:
    Durability durability_;
    std::vector<std::unique_ptr<StagedFile>> files_;
    std::optional<FileFailure> failure_;
};

// The private temporary name used for `path`: ".<name>.<pid>.XXXXXX" in its folder
// (the X's are mkstemp's). Exposed for the tests and for cleaning up.
std::string temporaryPattern(const std::string& path, long pid);

// Removes temporary files of `path` (see temporaryPattern) that belong to this user
// and were left by processes that no longer run. Returns how many were removed.
int removeStaleTemporaries(const std::string& path);

// Opens a file for reading only when it is a regular file: a FIFO, a device or a
// folder is refused at once (the open never blocks). Returns the descriptor, or -1
// with `failure` set ("not a regular file", or the system's reason).
int openRegularFile(const std::string& path, FileFailure& failure);

// Reads a regular file whole; std::nullopt and `failure` set when it cannot be.
std::optional<std::string> readRegularFile(const std::string& path, FileFailure& failure);

}  // namespace toolkit
