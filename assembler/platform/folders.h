#pragma once
// Folder and file tests of the work folder and the registered programs.
#include <QString>

namespace flikkor {

// folder + "/" + name, without doubling the slash of the root folder.
QString joinPath(const QString& folder, const QString& name);
// The work folder counts as present when it is an existing folder we can write into.
bool isUsableFolder(const QString& path);
// Creates one folder level (its parent must exist).
bool createFolder(const QString& path);
// A registered program must be an existing executable regular file.
bool isExecutableFile(const QString& path);

}  // namespace flikkor
