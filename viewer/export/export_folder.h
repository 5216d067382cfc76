// Where the GIF export of a run writes its frames and the animation: "animation/" in
// the folder of the run's output file, or, when that cannot be written, a folder named
// after the run in the user's cache ($XDG_CACHE_HOME/sorvath/, else ~/.cache/sorvath/).
// Never the program's own folder.
#pragma once

#include "common/safe_output.h"

#include <optional>
#include <string>

namespace sorvath {

// "$XDG_CACHE_HOME/sorvath" when that variable holds an absolute path, else
// "$HOME/.cache/sorvath"; empty when neither is known.
std::string sorvathCacheFolder();

// "<run folder>/animation" for the output file at this path; a relative path is taken
// from the current folder, so a run opened by its bare name exports beside itself.
std::string runAnimationFolder(const std::string& outputPath);
// "<cacheFolder>/<run folder's name>-<output file's name without .dat>".
std::string cachedAnimationFolder(const std::string& outputPath, const std::string& cacheFolder);

// True when the folder exists, is not marked read-only (no write permission for
// anyone binds the administrator too) and a new file can be made in it.
bool folderTakesFiles(const std::string& folder);

struct ExportFolder {
    std::string path;      // without a trailing "/"
    bool created = false;  // made for this export (removed again when nothing is written)
};

// The run's animation folder when it exists and takes files or can be made in a run
// folder that takes files; else the cached folder, made when needed. std::nullopt and
// `problem` set (naming both folders) when neither can be written.
std::optional<ExportFolder> prepareExportFolder(const std::string& outputPath, const std::string& cacheFolder,
                                                std::string& problem);

// Removes the export's own files of an earlier export from the folder: "tempanim.gif"
// and "temp-" + number + ".gif", nothing else. Refused before anything is removed when
// one of them is a folder or a file marked read-only or not writable by the user.
std::optional<toolkit::FileFailure> removeEarlierExportFiles(const std::string& folder);

}  // namespace sorvath
