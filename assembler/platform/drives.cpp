#include "assembler/platform/drives.h"

#include <QStorageInfo>

namespace flikkor {

QStringList mountedDrives() {
    QStringList drives{QStringLiteral("/")};
    QStringList others;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (root != "/" && volume.isValid() && volume.isReady() && !others.contains(root)) others << root;
    }
    others.sort();
    return drives + others;
}

QString driveOfFolder(const QString& folder, const QStringList& drives) {
    QString best = QStringLiteral("/");
    for (const QString& drive : drives) {
        const bool holds = folder == drive || folder.startsWith(drive.endsWith('/') ? drive : drive + "/");
        if (holds && drive.size() > best.size()) best = drive;
    }
    return best;
}

}  // namespace flikkor
