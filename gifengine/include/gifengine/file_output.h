// The writers' file output: the bytes of a file go into a private temporary file
// beside it, which replaces the file only when complete (the toolkit's safe file
// output). A failure keeps the old file, leaves nothing behind and says which file
// and why, in the user's words.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gifengine/gif_writer.h"

namespace toolkit {
class StagedFile;
}

namespace gifengine {

// What a written file is to the user.
enum class OutputKind {
    // A file the user named: a symbolic link at the name is followed, and the
    // file it names is replaced; pushed to the disk before it is renamed.
    UserFile,
    // A scratch file of the work folder ("__tmp.gif", "editing.gif", ...): a
    // link at the name is itself replaced, never followed; not synced.
    WorkFile,
};

// Why a file was not written.
struct WriteFailure {
    enum class Stage {
        Open,   // refused before the first byte: the old file was not touched
        Write,  // failed while writing, flushing or renaming: the old file is kept
    };
    Stage stage = Stage::Open;
    std::string path;    // the file's final name
    std::string reason;  // the system's reason in the user's words

    // "ファイル <path> がオープンできません" or "ファイル <path> の書込中にエラーが
    // 発生しました", and the reason on the next line.
    std::string message() const;
};

// Writes the file at path with the bytes `produce` puts into the sink.
std::optional<WriteFailure> WriteFileSafely(const std::string& path, OutputKind kind,
                                            const std::function<void(ByteSink&)>& produce);

// Files that belong together: each is written whole into its temporary file as
// it is added, and none replaces its old file before all are complete.
class FileSetOutput {
public:
    explicit FileSetOutput(OutputKind kind);
    ~FileSetOutput();  // removes the temporary files of an uncommitted set
    FileSetOutput(const FileSetOutput&) = delete;
    FileSetOutput& operator=(const FileSetOutput&) = delete;

    // False once any file of the set failed (then nothing more is written).
    bool add(const std::string& path, const std::function<void(ByteSink&)>& produce);
    // Renames every file of the set into place; the first failure, if any.
    std::optional<WriteFailure> commit();

private:
    OutputKind kind_;
    std::vector<std::unique_ptr<toolkit::StagedFile>> files_;
    std::optional<WriteFailure> failure_;
};

}  // namespace gifengine
