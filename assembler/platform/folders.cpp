#include "assembler/platform/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace flikkor {

QString joinPath(const QString& folder, const QString& name) {
    if (folder.endsWith('/')) return folder + name;
    return folder + "/" + name;
}

WorkFolderState workFolderState(const QString& path) {
    if (path.isEmpty()) return WorkFolderState::NotUsable;
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return errno == ENOENT ? WorkFolderState::Missing : WorkFolderState::NotUsable;
    if (!S_ISDIR(info.st_mode)) return WorkFolderState::NotUsable;
    if (info.st_uid != ::geteuid()) return WorkFolderState::OwnedByOther;
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) return WorkFolderState::WritableByOthers;
    if (::access(name.constData(), W_OK | X_OK) != 0) return WorkFolderState::NotUsable;
    return WorkFolderState::Usable;
}

bool createFolder(const QString& path) {
    if (path.isEmpty()) return false;
    const QByteArray name = QFile::encodeName(path);
    // The umask can only take bits away: nobody else ever gets in.
    if (::mkdir(name.constData(), 0700) != 0) return false;
    return workFolderState(path) == WorkFolderState::Usable;
}

bool isExecutableFile(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

}  // namespace flikkor
