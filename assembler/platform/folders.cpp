#include "assembler/platform/folders.h"

#include <QDir>
#include <QFileInfo>

namespace flikkor {

QString joinPath(const QString& folder, const QString& name) {
    if (folder.endsWith('/')) return folder + name;
    return folder + "/" + name;
}

bool isUsableFolder(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    return info.isDir() && info.isWritable() && info.isExecutable();
}

bool createFolder(const QString& path) {
    if (path.isEmpty()) return false;
    return QDir().mkdir(path) && isUsableFolder(path);
}

bool isExecutableFile(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

}  // namespace flikkor
