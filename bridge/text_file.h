// Whole-file reading and all-or-nothing writing: a set of files is written under
// temporary names and renamed to the final names only when every one was written and
// closed without error, so a failed run leaves nothing half-written under a final name.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace bridge {

// Throws InputError when the file cannot be opened or read.
std::string readTextFile(const std::filesystem::path& path);

class FileSet {
public:
    FileSet() = default;
    ~FileSet();  // removes whatever temporary files are left
    FileSet(const FileSet&) = delete;
    FileSet& operator=(const FileSet&) = delete;

    // Writes text under a temporary name next to path; throws std::runtime_error on failure.
    void write(const std::filesystem::path& path, const std::string& text);
    // Opens a temporary file for streaming; the returned path is where to write.
    std::filesystem::path temporaryFor(const std::filesystem::path& path);
    // Renames every temporary file to its final name.
    void commit();

private:
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> files_;  // temporary, final
};

}  // namespace bridge
