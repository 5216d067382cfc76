// Reading and writing demrun's files through the toolkit's safe file helpers. A file
// is read only when it is a regular file (a FIFO is refused, never waited on). Every
// file of a set is
// written under a private temporary name and finished (all bytes on disk) before the
// first is renamed to its final name. A file that cannot be written (read-only, a
// folder that takes no new file, a full disk) stops the command with a message naming
// the final file and the system's reason; the old files stay as they were.
#pragma once

#include "common/safe_output.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace demrun {

// The whole file; throws InputError "<path>: cannot be opened (<reason>)".
std::string readTextFile(const std::string& path);

// A file that could not be written: "<file>: cannot be written (<reason>)".
class OutputError : public std::runtime_error {
public:
    explicit OutputError(const toolkit::FileFailure& failure);
};

class OutputFiles {
public:
    // Stages path (throws OutputError when it cannot be written). Temporary files left
    // by a killed demrun are removed first: the shared helper's own, and the older
    // "<name>.part<pid>" ones of processes that no longer run.
    toolkit::StagedFile& add(const std::string& path);
    void add(const std::string& path, std::string_view text);
    // Finishes every file; throws OutputError on the first failure.
    void finish();
    // Finishes every file, runs beforeRenames (when given) and renames them all.
    void commit(const std::function<void()>& beforeRenames = {});

private:
    toolkit::OutputSet set_;
    std::vector<toolkit::StagedFile*> files_;
};

// Removes "<path>.part<pid>" files that a demrun killed while writing path left behind
// (only regular files of this user whose process no longer runs). Returns how many.
int removeOldPartFiles(const std::string& path);

}  // namespace demrun
