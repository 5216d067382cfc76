#pragma once
// Folder and file tests of the work folder and the registered programs.
#include <QString>

namespace flikkor {

// folder + "/" + name, without doubling the slash of the root folder.
QString joinPath(const QString& folder, const QString& name);

// What a path is worth as the work folder. Scratch files go there, so it must
// be a folder of the user's own that nobody else may write into (anyone who
// could would be able to put a link in place of a scratch file).
enum class WorkFolderState {
    Usable,            // the user's own folder, writable by the user alone
    Missing,           // nothing there yet
    NotUsable,         // not a folder, or one the user cannot write into
    OwnedByOther,      // a folder of another user
    WritableByOthers,  // the group or everyone may write into it
};
WorkFolderState workFolderState(const QString& path);
// Creates one folder level (its parent must exist), for the user alone (0700).
bool createFolder(const QString& path);
// The work folder when no setting names one: "flikkor/AnimTmp" in the user's cache
// folder ($XDG_CACHE_HOME, else ~/.cache), out of the way of the user's own files.
QString defaultWorkFolder();
// Creates the work folder as createFolder does; for the default work folder the
// missing folders above it are made first (0700 too), since a new account may
// have no cache folder yet.
bool createWorkFolder(const QString& path);
// A registered program must be an existing executable regular file.
bool isExecutableFile(const QString& path);

}  // namespace flikkor
