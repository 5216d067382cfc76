#include "assembler/platform/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
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

namespace {
QString cacheFolder() { return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation); }
}  // namespace

QString defaultWorkFolder() {
    const QString cache = cacheFolder();
    return cache.isEmpty() ? QString() : joinPath(cache, QStringLiteral("flikkor/AnimTmp"));
}

bool createWorkFolder(const QString& path) {
    if (!path.isEmpty() && path == defaultWorkFolder()) {
        // Existing folders are left as they are; only the cache folder itself and
        // Flikkor's folder in it are made.
        const QString cache = cacheFolder();
        for (const QString& folder : {cache, joinPath(cache, QStringLiteral("flikkor"))})
            ::mkdir(QFile::encodeName(folder).constData(), 0700);
    }
    return createFolder(path);
}

bool isExecutableFile(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

}  // namespace flikkor
