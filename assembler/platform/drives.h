#pragma once
// The "drives" of the file browser: the mounted file systems, root first.
#include <QStringList>

namespace flikkor {

QStringList mountedDrives();
// The mounted file system that holds folder (the longest matching mount point).
QString driveOfFolder(const QString& folder, const QStringList& drives);

}  // namespace flikkor
